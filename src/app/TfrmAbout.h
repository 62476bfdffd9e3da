// The About box: product title, version and the maker's copyright notice.
#pragma once

#include "TfrmRoot.h"

class QLabel;

class TfrmAbout : public TfrmRoot
{
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* parent = nullptr);

protected:
    // Esc closes the box as OK does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void formCreate();

    QLabel* m_labProduct;
    QLabel* m_labVer;
    QLabel* m_labCopy;
};
