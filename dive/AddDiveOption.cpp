#include "dive/AddDiveOption.h"

#include "forms/ModalForms.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/LineBoxGuards.h"
#include "shell/core/LogStore.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kvl {

namespace {

constexpr qint32 kBuiltInModelId = 6774;
const char* const kBuiltInModelName = "QX07";

// The log must always know the model this program serves.
void EnsureBuiltInModel()
{
    db::Database& db = *gv.DB;
    if (!db.Scalar("SELECT COUNT(*) FROM DC_PROPERTIES WHERE MODELNAME = ? OR MODELID = ? ;",
                   {kBuiltInModelName, kBuiltInModelId}).ToLong()) {
        db.Execute("INSERT INTO DC_PROPERTIES (MODELNAME, MODELID, MANUFACTURING, MAXVARI, MAXTLBG, MAXO2BG, "
                   "MAXATRBG, MAXDEPTH) VALUES (?, ?, ?, ?, ?, ?, ?, ?) ;",
                   {kBuiltInModelName, kBuiltInModelId, "TARVIK", 5, 0, 0, 0, 400});
    }
}


} // namespace

AddDiveOption::AddDiveOption(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add VURO dive options"));
    setModal(true);

    auto* frame1 = new QGroupBox(QStringLiteral("Dive Options"), this);
    Option1[0] = new QRadioButton(QStringLiteral("Manual Entry Dive"), frame1);
    Option1[1] = new QRadioButton(QStringLiteral("Download from Radarar Edeze"), frame1);
    DCList = new ListBox(false, frame1);
    DCList->setAccessibleName(QStringLiteral("Radarar Edeze model"));
    Option1[0]->setChecked(true);
    auto* dives = new QGridLayout(frame1);
    dives->addWidget(Option1[0], 0, 0, 1, 2);
    dives->addWidget(Option1[1], 1, 0);
    dives->addWidget(DCList, 1, 1);

    auto* frame2 = new QGroupBox(QStringLiteral("Life Time Dive Number (LTDN) Options"), frame1->parentWidget());
    auto* places = new QGridLayout(frame2);
    places->addWidget(new QLabel(QStringLiteral("Save new dive(s) at: "), frame2), 0, 0);
    auto* number = new QLabel(QStringLiteral("Life Time Dive No."), frame2);
    places->addWidget(number, 0, 1);
    const char* captions[3] = {"beginning  of the dives list", "end of the dives  list", "middle of the dives list"};
    UseLineBoxGuards();
    for (int i = 0; i < 3; ++i) {
        Option2[i] = new QRadioButton(QString::fromLatin1(captions[i]), frame2);
        Text1[i] = new QLineEdit(frame2);
        Text1[i]->installEventFilter(this);
        // "Life Time Dive No. at end of the dives list": each box after its place.
        Text1[i]->setAccessibleName(NameOfCaption(number->text()) + QStringLiteral(" at ") +
                                    Option2[i]->text().simplified());
        places->addWidget(Option2[i], i + 1, 0);
        places->addWidget(Text1[i], i + 1, 1);
    }

    OKCmd = new QPushButton(QStringLiteral("OK"), this);
    CancelCmd = new QPushButton(QStringLiteral("Cancel"), this);
    OKCmd->setDefault(true);
    connect(OKCmd, &QPushButton::clicked, this, &AddDiveOption::OKCmd_ItemClick);
    connect(CancelCmd, &QPushButton::clicked, this, &AddDiveOption::SmartUI1_ItemClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKCmd);
    buttons->addWidget(CancelCmd);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addWidget(frame2);
    layout->addLayout(buttons);

    Form_Load();
}

void AddDiveOption::Run(QWidget* parent)
{
    AddDiveOption dialog(parent);
    ShowModal(dialog);
}

void AddDiveOption::Form_Load()
{
    gv.SelectedModel.clear();
    gv.AddDiveMode = kAddCancelled;   // however the dialog closes, only OK sets a choice
    InitInfo();
}

void AddDiveOption::InitInfo()
{
    GetFirstLastDiveNo();
    const bool emptyLog = gv.LastLTD == 0;
    if (emptyLog) {
        gv.FirstLTD = 1;
        Option2[0]->setChecked(true);
    }
    Text1[0]->setReadOnly(!emptyLog);
    Text1[1]->setReadOnly(true);
    Option2[1]->setEnabled(!emptyLog);
    Option2[2]->setEnabled(!emptyLog);
    Text1[1]->setVisible(!emptyLog);
    Text1[2]->setVisible(!emptyLog);
    Text1[0]->setText(QString::number(gv.FirstLTD));
    Text1[1]->setText(QString::number(gv.LastLTD + 1));

    EnsureBuiltInModel();
    auto rs = gv.DB->OpenRecordset("Select DISTINCT(MODELNAME) from DC_PROPERTIES Where MODELID = ? ;",
                                   {kBuiltInModelId});
    DCList->clear();
    const QString last = gv.RegLastModelData.ToString();
    for (; !rs->EOF(); rs->MoveNext())
        DCList->addItem(rs->Field("MODELNAME").ToString());
    DCList->setCurrentIndex(std::max(0, DCList->findText(last)));
}

AddDiveChoice AddDiveOption::Choice() const
{
    AddDiveChoice choice;
    choice.download = Option1[1]->isChecked();
    for (int i = 0; i < 3; ++i)
        if (Option2[i]->isChecked())
            choice.place = static_cast<LtdPlace>(i);
    choice.firstText = Text1[0]->text();
    choice.middleText = Text1[2]->text();
    choice.lastLtd = gv.LastLTD;
    return choice;
}

void AddDiveOption::OKCmd_ItemClick()
{
    const AddDiveChoice choice = Choice();
    const AddDiveResult result = ResolveAddDive(choice);
    if (result.refused) {
        MsgBox(QString::fromLatin1(kLtdRefusedMessage), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Warning"));
        QLineEdit* box = Text1[static_cast<int>(choice.place)];
        box->clear();
        box->setFocus();
        return;
    }
    if (result.mode != kAddCancelled) {
        gv.FirstLTD = result.firstLtd;
        gv.NewDiveLTD = result.newDiveLtd;
        if (choice.download) {
            gv.SelectedModel = DCList->currentText();
            gv.ModelName = gv.SelectedModel;
            gv.RegLastModelData = gv.ModelName;
            SaveModelChoice(QStringLiteral("LastModelData"), gv.ModelName);
        }
    }
    gv.AddDiveMode = static_cast<quint8>(result.mode);
    accept();
}

void AddDiveOption::SmartUI1_ItemClick()
{
    gv.AddDiveMode = kAddCancelled;
    reject();
}

void AddDiveOption::Text1_GotFocus(int index)
{
    if (!Option2[index]->isEnabled())
        return;
    Option2[index]->setChecked(true);
    Text1[index]->selectAll();
}

bool AddDiveOption::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        for (int i = 0; i < 3; ++i)
            if (watched == Text1[i])
                Text1_GotFocus(i);
    return QDialog::eventFilter(watched, event);
}

} // namespace kvl
