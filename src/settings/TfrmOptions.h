// The Options dialog: automatic clipboard options and the proxy. It shows Params when it opens and
// writes the settings file when it closes; Params itself is left to the caller's loadSettings.
#pragma once

#include "TfrmRoot.h"

#include <functional>
#include <memory>

class Exception;
class FormLangRes;
class MsgLangRes;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TypingTableChoice;

class TfrmOptions : public TfrmRoot
{
    Q_OBJECT

public:
    // Receives a failure the dialog cannot handle itself (a failed save); the application shows it.
    using ErrorReport = std::function<void(const Exception&)>;
    // Runs in place of the modal loop; tests show the dialog, drive it and close it.
    using ModalRunner = std::function<void(TfrmOptions&)>;

    static void setErrorReport(ErrorReport report);
    static void setModalRunner(ModalRunner runner);

    // Creates the dialog centred on parent, runs it modally and destroys it; the settings file has
    // been written when it returns (unless the user could not save and closed otherwise).
    static void execute(QWidget* parent);

    explicit TfrmOptions(QWidget* parent = nullptr);
    ~TfrmOptions() override;

    void showSettings();
    void rbNoProxyClick();
    void btnDefaultClick();
    // Writes the keys in order; raises IniWriteError and skips the rest on a failed
    // write.
    void saveSettings();
    void cmbLangChange();
    void applyLanguageFile();

    // Every close (OK, the window's close button) comes here: it validates, saves, and closes only
    // when both succeeded.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape does not close: the dialog has no way to close without saving. Enter presses the
    // focused button only.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // False keeps the dialog open.
    bool formClose();
    void setProxyEditsReadOnly(bool readOnly);
    // Runs an action of the dialog, handing a failure to the error report.
    bool reported(const std::function<void()>& action);

    QTabWidget* m_pageControl1;
    QWidget* m_tsGeneral;
    QCheckBox* m_chkAutoPaste;
    QCheckBox* m_chkAutoCopy;
    QCheckBox* m_chkAutoDirection;
    QGroupBox* m_rgLang;
    QLabel* m_labLang;
    QComboBox* m_cmbLang;
    QCheckBox* m_chkHistory;
    QCheckBox* m_chkHistoryReuse;
    QWidget* m_tsConnection;
    QGroupBox* m_rgProxySettings;
    QRadioButton* m_rbNoProxy;
    QRadioButton* m_rbManuallyProxy;
    QLabel* m_labAddress;
    QLineEdit* m_edtAddress;
    QLabel* m_labPort;
    QLineEdit* m_edtPort;
    QLabel* m_labUserName;
    QLineEdit* m_edtUserName;
    QLabel* m_labPassword;
    QLineEdit* m_edtPassword;
    QPushButton* m_btnDefault;
    QPushButton* m_btnOk;
    FormLangRes* m_formLangRes1;
    MsgLangRes* m_msgLangRes1;
    std::unique_ptr<TypingTableChoice> m_typingTable;
};
