// The Options dialog: automatic clipboard options and the proxy. It shows Params when it opens and
// writes the settings file when it closes; Params itself is left to the caller's loadSettings.
#pragma once

#include "PaneFonts.h"
#include "Params.h"
#include "TfrmRoot.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>

class Exception;
class IniWriteError;
class FontsPage;
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
    // Runs in place of the modal loop; tests show the dialog, drive it and close it.
    using ModalRunner = std::function<void(TfrmOptions&)>;

    static void setModalRunner(ModalRunner runner);

    // Creates the dialog centred on parent, runs it modally and destroys it; the settings file has
    // been written when it returns (unless the user could not save and closed otherwise).
    static void execute(QWidget* parent);

    explicit TfrmOptions(QWidget* parent = nullptr);
    ~TfrmOptions() override;

    void showSettings();
    void rbNoProxyClick();
    void btnDefaultClick();
    // The settings the controls hold. Edits the user left as shown give back the stored bytes
    // unchanged (a value that is no valid text in the locale's encoding survives); the port comes
    // without blanks at its ends.
    AppParams shownSettings() const;
    // Writes the keys in order; raises IniWriteError and skips the rest on a failed
    // write.
    void saveSettings();
    // The user picks an interface language: it is saved and every open window shows it at once.
    void cmbLangChange();
    void applyLanguageFile();

    // Every close comes here. Cancel and Esc close without saving; any other close (OK, the
    // window's close button) validates and saves, and closes only when both succeeded.
    void done(int result) override;
    void cancel();

    // A message of the dialog by its name in the language component's list, "%1"... filled in.
    QString message(const char* name) const;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape cancels. Enter presses the focused button only.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The texts of the language file in use: English first, then the chosen language's.
    void applyLanguageTexts();
    // The dialog's caption (a message) and the labels' widths after a translation.
    void showOwnTexts();
    // False keeps the dialog open.
    bool formClose();
    // A proxy port must be a number a connection can use; false (after saying so) otherwise.
    bool checkPort();
    // Offers to keep the settings in memory when they cannot be written; true when the user took
    // it.
    bool offerToHoldSettings(const IniWriteError& error);
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
    FontsPage* m_tsFonts;
    // The fonts as the settings file holds them.
    PaneFonts m_shownFonts;
    QPushButton* m_btnDefault;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
    FormLangRes* m_formLangRes1;
    MsgLangRes* m_msgLangRes1;
    std::unique_ptr<TypingTableChoice> m_typingTable;
    // The settings showSettings showed; an edit still holding their text gives back their bytes.
    AppParams m_stored;
    bool m_cancelled = false;
    // The stored interface language; empty follows the system.
    QString m_languageChoice;
};
