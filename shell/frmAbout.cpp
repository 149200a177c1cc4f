#include "shell/frmAbout.h"

#include "shell/MDI_MainFrm.h"
#include "shell/Pictures.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kvl {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    Image1 = new QLabel(this);
    Image1->setPixmap(RoundBadge(72, "T"));
    Label1 = new QLabel(QString::fromUtf8(ProgramTitle), this);
    QFont titleFont = Label1->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label2 = new QLabel("Dive log and host program of the Radarar Edeze wrist dive computer.", this);
    Label3 = new QLabel(QString::fromUtf8("Copyright \u00A9 Tarvik. All rights reserved.\n"
                                          "This program is provided as is, without warranty of any kind."),
                        this);
    for (QLabel* label : {Label2, Label3})
        label->setWordWrap(true);
    lblVersion = new QLabel(this);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    for (QLabel* label : {Label1, lblVersion, Label2, Label3})
        text->addWidget(label);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setFixedSize(460, 220);
    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QString::fromUtf8("About ") + QString::fromUtf8(ProgramTitle));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    lblVersion->setText(QString("Version ") + "1.0.1" + " - 05.21.09");
}

} // namespace kvl
