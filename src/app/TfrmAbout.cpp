// The About box.
#include "TfrmAbout.h"

#include "CopyrightNotice.h"
#include "FormLanguage.h"
#include "LabelFit.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QFont boldTahoma(int pixelSize)
{
    QFont font("Tahoma");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : TfrmRoot(parent)
{
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint);
    setFixedSize(367, 192);

    auto* groupBox = new QGroupBox(this);
    groupBox->setObjectName("GroupBox1");
    groupBox->setGeometry(8, 8, 350, 145);
    m_labProduct = addLabel(groupBox, "labProduct", QRect(6, 25, 339, 21));
    m_labProduct->setFont(boldTahoma(16));
    m_labVer = addLabel(groupBox, "labVer", QRect(9, 64, 332, 14));
    m_labVer->setFont(boldTahoma(12));
    m_labCopy = addLabel(groupBox, "labCopy", QRect(5, 116, 340, 14));

    auto* btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName("btnOk");
    btnOk->setGeometry(145, 159, 75, 25);
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    formCreate();
    new FormLanguage(this, {"labCopy"}, {QStringLiteral("labCopy_Caption=") + CopyrightPattern},
        [this](const FormLanguage& language) {
            m_labCopy->setText(copyrightNotice(language.text("labCopy_Caption")));
            fitLabelsToText(*this);
        });
}

void TfrmAbout::formCreate()
{
    TfrmRoot::formCreate();
    m_labProduct->setText(QStringLiteral("Quendra"));
    m_labVer->setText(QStringLiteral("Ver 4.0.0 (Build 20160809)"));
    m_labCopy->setText(copyrightNotice());
}

void TfrmAbout::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        accept();
        return;
    }
    TfrmRoot::keyPressEvent(event);
}
