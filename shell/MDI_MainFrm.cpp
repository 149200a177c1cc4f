#include "shell/MDI_MainFrm.h"

#include "forms/ChildForm.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/MDI_Rules.h"
#include "shell/Pictures.h"
#include "shell/RegisterForms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>

namespace kvl {

namespace {

MDI_MainFrm* theMainFrm = nullptr;

QIcon StandardIcon(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap);
}

// The form's first Tab stop: the first box of the focus chain that Tab stops at.
QWidget* FirstBox(QWidget& form)
{
    for (QWidget* box = form.nextInFocusChain(); box && box != &form; box = box->nextInFocusChain())
        if (form.isAncestorOf(box) && (box->focusPolicy() & Qt::TabFocus) && box->isEnabled() &&
            box->isVisibleTo(&form) && !box->focusProxy())
            return box;
    return nullptr;
}

} // namespace

bool DiveListAtEnd()
{
    return !gv.rsDiveData || gv.rsDiveData->EOF();
}

MDI_MainFrm& MainFrm()
{
    if (!theMainFrm)
        theMainFrm = new MDI_MainFrm();
    return *theMainFrm;
}

bool MainFrmExists()
{
    return theMainFrm != nullptr;
}

void DestroyMainFrm()
{
    delete theMainFrm;
}

MDI_MainFrm::MDI_MainFrm()
{
    theMainFrm = this;
    RegisterChildForms();
    setWindowTitle(QString::fromUtf8(MainWindowCaption));
    FitToScreen(QSize(1100, 760));

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    SmartBar = new SmartSideBar(central);
    SmartBar->setFixedWidth(180);
    layout->addWidget(SmartBar);

    layout->addWidget(CreateChildArea(central), 1);
    setCentralWidget(central);

    SmartUI1 = new SmartToolBar(this);
    addToolBar(Qt::TopToolBarArea, SmartUI1);
    SmartStatusBar = statusBar();
    statusLog_ = new QLabel(SmartStatusBar);
    statusLog_->setContentsMargins(4, 0, 4, 0);
    SmartStatusBar->addWidget(statusLog_, 1);

    CreateMenus();
    CreateToolBar();   // first in the Tab chain: the tool bar, the side bar, then the form
    CreateSideBar();
    InstallMainWindowHooks(this);
}

MDI_MainFrm::~MDI_MainFrm()
{
    InstallMainWindowHooks(nullptr);
    if (theMainFrm == this)
        theMainFrm = nullptr;
}

void MDI_MainFrm::FitToScreen(const QSize& preferred)
{
    const QSize frame(16, 48);   // the window manager's border and title bar
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(screen ? preferred.boundedTo(screen->availableSize() - frame) : preferred);
}

// The child form's caption above the frame that holds the form.
QWidget* MDI_MainFrm::CreateChildArea(QWidget* parent)
{
    auto* area = new QWidget(parent);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    childCaption_ = new QLabel(area);
    QFont captionFont = childCaption_->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.3);
    captionFont.setBold(true);
    childCaption_->setFont(captionFont);
    childCaption_->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(childCaption_);
    // A form taller or wider than the window scrolls, so the window can be made small
    // (a 1366x768 screen) and every field stays in reach.
    childScroll_ = new QScrollArea(area);
    childScroll_->setObjectName("ChildArea");
    childScroll_->setFocusPolicy(Qt::NoFocus);   // the frame is no Tab stop: the form's boxes are
    childScroll_->setFrameShape(QFrame::StyledPanel);
    childScroll_->setWidgetResizable(true);
    childHost_ = new QWidget(childScroll_);
    childHostLayout_ = new QVBoxLayout(childHost_);
    childHostLayout_->setContentsMargins(0, 0, 0, 0);
    childScroll_->setWidget(childHost_);
    layout->addWidget(childScroll_, 1);
    // A box the keyboard reaches below the fold (Tab, a caption's Alt key) scrolls into
    // view: as much of it as fits, then its text cursor.
    connect(qApp, &QApplication::focusChanged, childScroll_, [this](QWidget*, QWidget* now) {
        if (!now || !childHost_->isAncestorOf(now))
            return;
        const QPoint top = now->mapTo(childHost_, QPoint(0, 0));
        const int fits = std::min(now->height(), childScroll_->viewport()->height());
        childScroll_->ensureVisible(top.x(), top.y() + fits - 1, 0, 1);
        childScroll_->ensureWidgetVisible(now);
    });
    return area;
}

void MDI_MainFrm::CreateMenus()
{
    QMenu* mnuFile = menuBar()->addMenu("&File");
    mnuFile->addAction("&New data file", this, [this] { mnuNewLog_Click(); });
    mnuFile->addAction("&Open data file", this, [this] { mnuOpenLog_Click(); });
    mnuFile->addAction("&Restore Data from a backup file", this, [this] { mnuRestoreLog_Click(); });
    mnuFile->addSeparator();
    mnuFile->addAction("&Import VURO Dive Data");
    mnuFile->addAction("E&xport VURO Dive Data", this, [this] { mnuExport_Click(); });
    mnuFile->addAction("&Print", this, [this] { mnuPrintLog_Click(); });
    mnuFile->addSeparator();
    mnuFile->addAction("&Exit", this, [this] { mnuExit_Click(); });

    QMenu* mnuHelp = menuBar()->addMenu("&Help");
    mnuHelp->addAction("&Contents", this, [this] { mnuContent_Click(); });
    mnuHelp->addAction("&Technical Support", this, [this] { mnuTech_Click(); });
    mnuHelp->addSeparator();
    mnuHelp->addAction(QString::fromUtf8("&About Tarvik\u00AE Computer Vavedaver"), this, [this] { mnuAbout_Click(); });
}

void MDI_MainFrm::CreateSideBar()
{
    SmartBar->AddPicture("Logo", LogoPicture());
    SmartBar->AddGroup("Configuration");
    SmartBar->AddItem("Personal", "Personal");
    SmartBar->AddItem("DiveComputer", "Radarar Edeze");
    SmartBar->AddGroup("Dive Log");
    SmartBar->AddItem("Dive", "VURO Dive");
    SmartBar->AddItem("Details", "VURO Dive Details");
    SmartBar->AddItem("Location", "VURO Dive Location");
    SmartBar->AddItem("Gear", "Gear").SetVisible(0);
    SmartBar->AddItem("Buddies", "Buddies");
    SmartBar->AddGroup("Dive Data");
    SmartBar->AddItem("History", "VURO History", "Dives History");
    SmartBar->AddItem("Queries", "Queries", "Dives look up queries");
    connect(SmartBar, &SmartSideBar::ItemClick, this, &MDI_MainFrm::SmartBar_ItemClick);
}

void MDI_MainFrm::CreateToolBar()
{
    const QString about = QString::fromUtf8("About Tarvik\u00AE Computer Vavedaver");
    SmartToolBar& bar = *SmartUI1;
    bar.AddButton("Exit", StandardIcon(QStyle::SP_DialogCloseButton), "Exit");
    bar.AddButton("NewLog", StandardIcon(QStyle::SP_FileIcon), "New data file");
    bar.AddButton("OpenLog", StandardIcon(QStyle::SP_DialogOpenButton), "Open data file");
    bar.AddSeparator();
    bar.AddButton("RestoreLog", StandardIcon(QStyle::SP_BrowserReload), "Restore data from a backup file");
    bar.AddSeparator();
    bar.AddButton("Print", StandardIcon(QStyle::SP_FileDialogContentsView), "Print");
    bar.AddSeparator();
    bar.AddButton("Export", StandardIcon(QStyle::SP_ArrowRight), "Export VURO Dive Data");
    bar.AddSeparator();
    bar.AddDropDownMenu("Units", StandardIcon(QStyle::SP_FileDialogDetailedView), QString(), "Units of Measurement")
        .SetVisible(0);
    bar.AddOptionEntry("Imperial", "Imperial");
    bar.AddOptionEntry("Metric", "Metric");
    bar.AddDropDownMenu("Help", QIcon(RoundBadge(48, "?")), QString(),
                        "Tarvik Computer Vavedaver Help");
    bar.AddMenuEntry("HelpContents", "Contents", "Contents");
    bar.AddMenuEntry("TechSupport", "Technical Support", "Technical Support");
    bar.AddMenuEntry("About", about, about);
    bar.AddSeparator();
    bar.AddDropDownWindow("LTD", "Dives Listing:");
    bar.AddButton("Sort", StandardIcon(QStyle::SP_ArrowDown), "Sort Dives Listing").SetVisible(0);
    bar.AddButton("Save", StandardIcon(QStyle::SP_DialogSaveButton), "Save").SetVisible(0);
    bar.AddSeparator();
    bar.AddButton("FirstDive", StandardIcon(QStyle::SP_MediaSkipBackward), "First dive");
    bar.AddButton("PrevDive", StandardIcon(QStyle::SP_MediaSeekBackward), "Previous dive");
    bar.AddButton("NextDive", StandardIcon(QStyle::SP_MediaSeekForward), "Next dive");
    bar.AddButton("LastDive", StandardIcon(QStyle::SP_MediaSkipForward), "Last dive");
    bar.AddButton("AddDive", StandardIcon(QStyle::SP_FileDialogNewFolder), "Add/Download new dive(s)");
    bar.AddButton("DeleteDive", StandardIcon(QStyle::SP_DialogDiscardButton), "Delete this dive");
    bar.AddButton("DeleteAllDives", StandardIcon(QStyle::SP_TrashIcon), "Delete all dives");
    bar.AddDropDownMenu("PDCSettings", StandardIcon(QStyle::SP_ComputerIcon), "Setting Options", QString())
        .SetVisible(0);
    bar.AddMenuEntry("Manufacturing", "Manufacturer", "DC Manufacturing Default Settings");
    bar.AddMenuEntry("LastSettings", "Last Setting", "Load the last DC Settings");
    bar.AddMenuEntry("ReadSettings", "Read setting from Radarar Edeze", "Read the settings from the Radarar Edeze");
    bar.AddMenuEntry("WriteSettings", "Save setting to Radarar Edeze", "Write settings to the Radarar Edeze");

    connect(SmartUI1, &SmartToolBar::ItemClick, this, &MDI_MainFrm::SmartUI1_ItemClick);
    connect(SmartUI1, &SmartToolBar::ItemTextChange, this, &MDI_MainFrm::SmartUI1_ItemTextChange);
    SmartUI1->SetDropDownHandler([this](const QString& key) { return SmartUI1_ItemDropDown(key); });
}

void MDI_MainFrm::ShowChild(ChildForm& form)
{
    const bool arriving = form.isHidden() || form.parentWidget() != childHost_;
    if (form.parentWidget() != childHost_)
        childHostLayout_->addWidget(&form);
    form.show();
    form.raise();
    childCaption_->setText(form.windowTitle());
    if (arriving)
        FocusShownForm(form);
}

// A form that comes on screen takes the focus on its first box; one without a box
// leaves it on the side bar's item of the form.
void MDI_MainFrm::FocusShownForm(ChildForm& form)
{
    if (QWidget* box = FirstBox(form)) {
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString key = SideBarKeyOfForm(gv.ActiveFormID);
    if (QAbstractButton* item = SmartBar->HasItem(key) ? SmartBar->Button(key) : nullptr)
        item->setFocus(Qt::OtherFocusReason);
}

// A dialog that closes leaves the keyboard to the window manager, which may give it to no
// window at all (a bare X server does): the keys would then reach a box that never takes
// the focus. The window asks for it back, and the shown form starts on its first box
// unless one of its boxes kept the focus through the command (one that opened nothing).
void MDI_MainFrm::FocusAfterLogCommand()
{
    if (ended_ || !isVisible())
        return;
    activateWindow();
    for (ChildForm* form : childHost_->findChildren<ChildForm*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!form->isVisible())
            continue;
        const QWidget* kept = focusWidget();
        if (!kept || !kept->isVisible() || !form->isAncestorOf(kept))
            FocusShownForm(*form);
        return;
    }
}

void MDI_MainFrm::RemoveChild(ChildForm& form)
{
    if (form.parentWidget() != childHost_)
        return;
    childHostLayout_->removeWidget(&form);
    form.hide();
    form.setParent(nullptr);
    childCaption_->clear();
}

void MDI_MainFrm::HideChild(ChildForm& form)
{
    form.hide();
    if (form.parentWidget() == childHost_)
        childCaption_->clear();
}

void MDI_MainFrm::SetToolBarItemVisible(const QString& key, bool visible)
{
    SmartUI1->Items(key).SetVisible(visible ? 1 : 0);
}

void MDI_MainFrm::SetToolBarItemChecked(const QString& key, bool checked)
{
    SmartUI1->Items(key).SetChecked(checked);
}

void MDI_MainFrm::DeselectSideBarItem(const QString& key)
{
    SmartBar->Items(key).SetSelected(false);
}

void MDI_MainFrm::ShowDiverInTitle(const QString& diverName)
{
    setWindowTitle(QString::fromUtf8(ProgramTitle) + " - " + diverName);
}

QString MDI_MainFrm::StatusLogText() const
{
    return statusLog_->text();
}

QString MDI_MainFrm::ChildCaption() const
{
    return childCaption_->text();
}

void MDI_MainFrm::SetLTDText(const QString& text)
{
    SmartUI1->Items("LTD").SetText(text);
}

void MDI_MainFrm::SelectSideBarItem(const QString& key)
{
    SmartBar->Items(key).SetSelected(true);
}

QStringList MDI_MainFrm::LTDEntries() const
{
    return {};
}

void MDI_MainFrm::EndProgram()
{
    ended_ = true;
    exiting_ = true;
    close();
    QApplication::exit(0);
}

} // namespace kvl
