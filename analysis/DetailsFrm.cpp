#include "analysis/DetailsFrm.h"

#include "forms/FormHost.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QLoggingCategory>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcProfile, "kvl.profile")

namespace kvl {

namespace {

const QString kTitle = QStringLiteral("Dive Details");

void Message(const char* text, MsgIcon icon)
{
    MsgBox(QString::fromLatin1(text), MsgButtons::OK, icon, kTitle);
}

QString PlainNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The sample grid's columns: caption, key, shown.
std::vector<DataGridColumn> SampleGridColumns()
{
    std::vector<DataGridColumn> columns{
        {"Index", "Ind", false},
        {"Elapsed Dive Time (hr:min:sec)", "Time"},
        {"Depth", "Depth"},
        {"ARI (Ascent Rate Indicator)", "AR"},
        {"Temp.", "Temperature"},
        {"PO2 (ATA)", "PO2"},
        {"Alarms Events", "Alarm Events"},
        {"Alarms Details", "Alarm Description"},
    };
    const std::pair<const char*, const char*> unfilled[] = {
        {"ATR (Air Time Remaining) (hr:min)", "ATR"},
        {"Link Status", "Link Status"},
        {"Stop Depth", "SDepth"},
        {"Deco Time (hr:min)", "DecoTime"},
        {"TLBG (Tissue Loading Bar Graph) (segments)", "NiBG"},
        {"O2BG (Oxygen Bar Graph) (segments)", "O2BG"},
        {"DTR (Dive Time Remaining) (hr:min)", "DTR"},
        {"Dive Status", "Status"},
        {"PSI", "PSI"},
    };
    for (const auto& [caption, key] : unfilled)
        columns.push_back({caption, key, false});
    return columns;
}

} // namespace

AxisStrip::AxisStrip(Qt::Orientation orientation, QWidget* parent) : QWidget(parent), orientation_(orientation)
{
    auto* zero = new QLabel(QStringLiteral("0"), this);
    labels_.push_back(zero);
    if (orientation_ == Qt::Horizontal)
        setFixedHeight(fontMetrics().height() + 2);
    else
        setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 6);
}

void AxisStrip::SetLabels(const QStringList& texts)
{
    while (labels_.size() > static_cast<size_t>(texts.size()) + 1) {
        delete labels_.back();
        labels_.pop_back();
    }
    while (labels_.size() < static_cast<size_t>(texts.size()) + 1)
        labels_.push_back(new QLabel(this));
    for (int i = 0; i < texts.size(); ++i) {
        labels_[static_cast<size_t>(i) + 1]->setText(texts[i]);
        labels_[static_cast<size_t>(i) + 1]->show();
    }
    Place();
}

QStringList AxisStrip::Labels() const
{
    QStringList texts;
    for (size_t i = 1; i < labels_.size(); ++i)
        texts << labels_[i]->text();
    return texts;
}

void AxisStrip::SetOrigin(const QString& text)
{
    labels_.front()->setText(text);
    Place();
}

QString AxisStrip::Origin() const
{
    return labels_.front()->text();
}

void AxisStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Place();
}

// Each label is centred on its tick, kept inside the strip.
void AxisStrip::Place()
{
    const int n = static_cast<int>(labels_.size()) - 1;
    for (int i = 0; i <= n; ++i) {
        QLabel* label = labels_[static_cast<size_t>(i)];
        label->adjustSize();
        const double at = n == 0 ? 0 : double(i) / n;
        if (orientation_ == Qt::Horizontal) {
            const int x = int(std::lround(at * (width() - 1))) - label->width() / 2;
            label->move(std::clamp(x, 0, std::max(0, width() - label->width())), 0);
        } else {
            const int y = int(std::lround(at * (height() - 1))) - label->height() / 2;
            label->move(std::max(0, width() - label->width() - 3),
                        std::clamp(y, 0, std::max(0, height() - label->height())));
        }
    }
}

DetailsFrm::DetailsFrm() : ChildFormOf<DetailsFrm>(QStringLiteral("VURO Dive Details"))
{
    BuildControls();
}

void DetailsFrm::BuildControls()
{
    Graph = new PictureBox(this);
    Graph->setObjectName("Graph");
    // A stop of the Tab chain: Left and Right walk the samples on the graph.
    Graph->setAccessibleName(QStringLiteral("Dive profile"));
    Graph->setAccessibleDescription(QStringLiteral("Left and Right move through the samples"));
    Graph->setMinimumSize(320, 200);
    Graph->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    XG = new AxisStrip(Qt::Horizontal, this);
    YG = new AxisStrip(Qt::Vertical, this);
    Label2 = new QLabel(QStringLiteral("FT"), this);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    auto* timeUnit = new QLabel(QStringLiteral("Elapsed Dive Time (min)"), this);
    timeUnit->setAlignment(Qt::AlignCenter);
    Label3 = new QLabel(QStringLiteral("Dive Sampling Rate: "), this);

    GraphControl = new SmartToolBar(this);
    GraphControl->setIconSize(QSize(18, 18));
    const auto icon = [](QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); };
    GraphControl->AddButton("FirstData", icon(QStyle::SP_MediaSkipBackward), "First sample");
    GraphControl->AddButton("PreviousData", icon(QStyle::SP_MediaSeekBackward), "Previous sample");
    GraphControl->AddButton("NextData", icon(QStyle::SP_MediaSeekForward), "Next sample");
    GraphControl->AddButton("LastData", icon(QStyle::SP_MediaSkipForward), "Last sample");
    GraphControl->AddSeparator();
    GraphControl->AddButton("ZoomIn", icon(QStyle::SP_ArrowUp), "Zoom in");
    GraphControl->AddButton("ZoomOut", icon(QStyle::SP_ArrowDown), "Zoom out");
    GraphControl->AddSeparator();
    GraphControl->AddTextField("Status");
    GraphControl->installEventFilter(this);
    connect(GraphControl, &SmartToolBar::ItemClick, this, &DetailsFrm::GraphControl_ItemClick);

    DetailGrid = new DataGrid(this);
    DetailGrid->SetCaption(QStringLiteral("Dive Data Details"));
    DetailGrid->SetColumns(SampleGridColumns());
    DetailGrid->FitColumnsToCaptions();
    Frame2 = new QFrame(this);
    Frame2->setFrameShape(QFrame::StyledPanel);
    auto* frameLayout = new QVBoxLayout(Frame2);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(DetailGrid);

    auto* graphArea = new QGridLayout;
    graphArea->setSpacing(2);
    graphArea->addWidget(Label2, 0, 0);
    graphArea->addWidget(XG, 0, 1);
    graphArea->addWidget(YG, 1, 0);
    graphArea->addWidget(Graph, 1, 1);
    graphArea->addWidget(timeUnit, 2, 1);
    graphArea->addWidget(GraphControl, 3, 1);
    graphArea->addWidget(Label3, 4, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(graphArea, 3);
    layout->addWidget(Frame2, 2);

    connect(Graph, &PictureBox::MouseDown, this, &DetailsFrm::Graph_MouseDown);
    connect(Graph, &PictureBox::KeyDown, this,
            [this](int key, Qt::KeyboardModifiers shift, bool& handled) { handled = Graph_KeyDown(KeyCodeOf(key), shift); });
    connect(Graph, &PictureBox::Resized, this, [this] {
        if (!HasProfile())
            return;
        Detail_DrawGraph();
        if (crossX_ >= 0)
            DrawCrossHair(crossX_, crossY_);
    });
}

void DetailsFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Details;
    EnableDiveButtons();
    ZoomedIn = false;
    NoProfile = false;
    Detail_Initinfo();
}

void DetailsFrm::Detail_Initinfo()
{
    Graph->Cls();
    DetailGrid->RemoveAll();
    SampleCount = 0;   // nothing of an earlier dive stays reachable
    crossX_ = -1;
    if (gv.CurrentDive.DATATYPE == 0) {
        XG->hide();
        YG->hide();
        GraphControl->setEnabled(false);
        setEnabled(false);
        Message("There is no dive details available for Manual Entry Dive.", MsgIcon::Information);
        HideAll();
        return;
    }
    XG->show();
    YG->show();
    GraphControl->setEnabled(true);
    setEnabled(true);
    if (gv.CurrentDive.MDEPTH.ToDouble() <= 0) {
        Message("Dive Details is not available for dive with depth<=0.", MsgIcon::Exclamation);
        CloseSelf();
        return;
    }
    ShowAll();
    Detail_ClearLabels();
    Detail_InitArr();
    if (!NoProfile) {
        Graph->setFocus();
        CursorIndex = 1;
        Detail_DrawGraph();
        Detail_PointGrid(SampleTime[static_cast<size_t>(CursorIndex)]);
    }
}

// The shell's own close step runs once this call has returned to the event loop, so
// the form is never taken away under its caller.
void DetailsFrm::CloseSelf()
{
    QTimer::singleShot(0, this, [this] {
        ChildFormHost* host = ExistingFormHost();
        if (host && gv.ActiveFormID == FormCode::Details) {
            host->CloseChildForm(FormCode::Details);
            return;
        }
        if (gv.ActiveFormID == FormCode::Details)
            gv.ActiveFormID = FormCode::None;
        Unload();
    });
}

void DetailsFrm::Detail_InitArr()
{
    NoProfile = false;
    ZoomStart = 0;
    Alarms = {};
    profile::ProfileRows rows;
    QString readFailure;   // the diver's words for a read that failed ("The log is damaged.")
    try {
        rows = profile::LoadProfileSamples(LogDB(), gv.CurrentDiveID);
    } catch (const db::DbError& e) {
        qCWarning(lcProfile) << "could not read the samples of dive" << gv.CurrentDiveID << e.Message();
        readFailure = db::KnownCause(e);
    }
    if (rows.kept.size() < 2) {
        NoProfile = true;
    } else {
        ApplyRecordedSettings();
        DetailGrid->SetColumnVisible(QStringLiteral("PO2"), gv.CurrentDive.FO2.ToDouble() >= 21);
        if (gv.CurrentDive.DATATYPE == 2)
            ClipToMaxDepth(rows);
        FillSamples(rows);
        DetailGrid->MoveFirst();
        Detail_InitGraph();
        Detail_DrawGraph();
    }
    if (NoProfile) {
        SampleCount = 0;
        if (readFailure.isEmpty())
            Message("There is no dive profile details to display for this dive.", MsgIcon::Exclamation);
        else
            MsgBox(readFailure, MsgButtons::OK, MsgIcon::Critical, kTitle);
        HideAll();
    } else {
        CursorIndex = 1;
    }
}

// The dive computer's recorded units and clock become the user's; the units row is
// written only when a flag changes. The alarm depth is the dive's own, or 0.
void DetailsFrm::ApplyRecordedSettings()
{
    MaxDepthAlarm = 0;
    DiveScale = AscentScale::Velk;
    db::Database& db = LogDB();
    if (!db.TableExists(QStringLiteral("DIVE_DC_SETTINGS")))
        return;
    gv.rsDiveDCSettings =
        db.OpenRecordset(QStringLiteral("Select * from DIVE_DC_SETTINGS where DIVEID = ? ;"), {gv.CurrentDiveID});
    db::Recordset& rs = *gv.rsDiveDCSettings;
    if (rs.EOF())
        return;
    const quint8 system = InvertBit(rs.Field("UNITS"));
    const quint8 time = InvertBit(rs.Field("HOUR"));
    const bool changes = gv.UnitSystem != system || gv.UnitTime != time || gv.UnitDepth != system
                         || gv.UnitPressure != system || gv.UnitWeight != system || gv.UnitTemp != system
                         || gv.UnitDate != system || gv.UnitCylinder != system;
    gv.UnitSystem = system;
    gv.UnitTime = time;
    if (changes)
        UpdateUnitFlags();
    DiveScale = AscentScaleOf(rs.Field("AltTime"));
    if (!rs.Field("MaxDepth").IsNull())
        MaxDepthAlarm = DepthToDisplay(rs.Field("MaxDepth"));
}

void DetailsFrm::ClipToMaxDepth(profile::ProfileRows& rows)
{
    try {
        profile::ClipSampleDepths(LogDB(), rows, gv.CurrentDive.MDEPTH.ToDouble());
    } catch (const db::DbError& e) {
        qCWarning(lcProfile) << "could not clip the samples of dive" << gv.CurrentDiveID << e.Message();
    }
}

void DetailsFrm::FillSamples(const profile::ProfileRows& rows)
{
    const size_t n = rows.kept.size();
    SampleDepth.assign(n + 2, 0);
    SampleTime.assign(n + 2, 0);
    SampleVari.assign(n + 2, 0);
    QStringList gridRows;
    gridRows.reserve(static_cast<qsizetype>(n));
    for (size_t i = 0; i < n; ++i) {
        const profile::ProfileSample& s = rows.kept[i];
        SampleDepth[i] = DepthToDisplay(s.depth);
        SampleTime[i] = s.time;
        SampleVari[i] = s.vari;
        Alarms.Next(s.alarm, s.time, SampleDepth[i], MaxDepthAlarm);
        gridRows << profile::SampleGridRow(static_cast<int>(i), s, Alarms.AlarmStatus, DiveScale);
    }
    DetailGrid->AddItems(gridRows);
    SampleCount = static_cast<qint32>(n);
}

void DetailsFrm::Detail_ClearLabels()
{
    XG->Clear();
    YG->Clear();
    TimeTicks = 0;
    DepthTicks = 0;
    ShowDepthUnit();
}

void DetailsFrm::ShowDepthUnit()
{
    Label2->setText(gv.UnitDepth != 1 ? QStringLiteral("M") : QStringLiteral("FT"));
}

void DetailsFrm::Detail_InitGraph()
{
    Label3->setText(QStringLiteral("Dive Sampling Rate: ") + SampleRateText(gv.CurrentDive.SNAPSHOT));
    ShowDepthUnit();   // the dive's recorded units may have just replaced the user's
    // The cap shapes the axis only: the dive keeps its stored depth.
    const double depth = std::min(gv.CurrentDive.MDEPTH.ToDouble(), DepthAxisCapFeet);
    AxisDepth = DepthToDisplay(depth);

    const profile::AxisScale time = profile::TimeAxis(gv.CurrentDive.BTIME);
    timeStep_ = time.step;
    TimeTicks = time.ticks;
    AxisSeconds = time.Length() * 60;
    SetTimeLabels();

    const profile::AxisScale depthAxis = profile::DepthAxis(AxisDepth);
    DepthTicks = depthAxis.ticks;
    AxisDepth = depthAxis.Length();
    QStringList depthLabels;
    for (int i = 1; i <= DepthTicks; ++i)
        depthLabels << QString::number(depthAxis.step * i);
    YG->SetLabels(depthLabels);
}

// The labels of the time shown: whole steps, or half steps over the zoomed window.
void DetailsFrm::SetTimeLabels()
{
    QStringList labels;
    const double stepSeconds = ZoomedIn ? timeStep_ * 30.0 : timeStep_ * 60.0;
    for (int i = 1; i <= TimeTicks; ++i)
        labels << PlainNumber((WindowStart() + stepSeconds * i) / 60);
    XG->SetOrigin(PlainNumber(WindowStart() / 60.0));
    XG->SetLabels(labels);
}

void DetailsFrm::Detail_DrawGraph()
{
    Graph->Cls();
    if (TimeTicks <= 0 || DepthTicks <= 0)
        return;
    Graph->SetDrawWidth(1);
    Graph->SetDrawStyle(PictureBox::DrawStyle::Dotted);
    Graph->SetForeColor(palette().color(QPalette::Mid));
    Graph->SetScale(0, 0, TimeTicks, AxisDepth);
    for (int i = 1; i <= TimeTicks; ++i)
        Graph->Line(i, 0, i, AxisDepth);
    Graph->SetScale(0, 0, AxisSeconds, DepthTicks);
    for (int i = 1; i <= DepthTicks; ++i)
        Graph->Line(0, i, AxisSeconds, i);

    Graph->SetScale(WindowStart(), 0, WindowSeconds(), AxisDepth);
    Graph->SetDrawWidth(2);
    Graph->SetDrawStyle(PictureBox::DrawStyle::Solid);
    const AscentLimits limits = AscentLimitsOfModel(gv.CurrentDive.MODELID);
    for (const profile::ProfileSegment& s :
         profile::BuildSegments(SampleTime, SampleDepth, SampleVari, SampleCount, limits.A + limits.B))
        Graph->Line(s.t0, s.d0, s.t1, s.d1, s.fastAscent ? QColor(255, 0, 0) : QColor(0, 0, 255));
    Graph->SetDrawWidth(1);
    tmpPic = Graph->Picture();
}

void DetailsFrm::Detail_ReDrawGraph()
{
    Graph->SetPicture(tmpPic);
}

void DetailsFrm::SetCursorScale()
{
    Graph->SetScale(WindowStart(), 0, WindowSeconds(), AxisDepth);
}

void DetailsFrm::DrawCrossHair(double x, double y)
{
    SetCursorScale();
    Graph->SetForeColor(Qt::black);
    Graph->Line(WindowStart(), y, WindowStart() + WindowSeconds(), y);
    Graph->Line(x, 0, x, AxisDepth);
    crossX_ = x;
    crossY_ = y;
}

void DetailsFrm::Detail_PointGrid(double x)
{
    if (!HasProfile())
        return;
    const profile::CursorPoint point = profile::PointAtTime(SampleTime, SampleDepth, SampleCount, x);
    if (!point.drawn)
        return;
    if (point.index >= 0)
        CursorIndex = point.index;
    ScrollTo(point.x);
    DrawCrossHair(point.x, point.y);
    Detail_Display(static_cast<int>(point.x), static_cast<float>(point.y));
}

void DetailsFrm::KeyDown_Detail_PointGrid(int i)
{
    if (!HasProfile() || i < 0 || i >= SampleCount)
        return;
    const double t = SampleTime[static_cast<size_t>(i)];
    const double d = SampleDepth[static_cast<size_t>(i)];
    ScrollTo(t);
    DrawCrossHair(t, d);
    Detail_Display(static_cast<int>(t), static_cast<float>(d));
}

void DetailsFrm::Detail_Display(int /*newX*/, float /*newY*/)
{
    // Row r of the grid shows sample r, so the cursor's row is found directly.
    if (CursorIndex >= 0 && CursorIndex < SampleCount)
        DetailGrid->SetRow(CursorIndex);
    const QString alarms = DetailGrid->Cell(QStringLiteral("Alarm Description"));
    const bool any = !alarms.trimmed().isEmpty();
    GraphControl->Items(QStringLiteral("Status")).SetText(any ? alarms + QStringLiteral(" Alarm ON") : QString());
}

void DetailsFrm::ResamplingTime()
{
    profile::ResamplingTime(SampleTime, SampleCount);
}

void DetailsFrm::HideAll()
{
    DetailGrid->hide();
    Frame2->hide();
}

void DetailsFrm::ShowAll()
{
    DetailGrid->show();
    Frame2->show();
}

void DetailsFrm::PlaceZoomWindow(double time)
{
    const qint32 width = WindowSeconds();
    const double step = timeStep_ * 30.0;   // the zoomed window moves by half steps
    const double start = std::floor((time - width / 2.0) / step) * step;
    ZoomStart = static_cast<qint32>(std::clamp(start, 0.0, double(std::max(0, AxisSeconds - width))));
}

// A cursor outside the zoomed window moves the window to it.
void DetailsFrm::ScrollTo(double time)
{
    if (!ZoomedIn || (time >= ZoomStart && time <= ZoomStart + WindowSeconds()))
        return;
    PlaceZoomWindow(time);
    SetTimeLabels();
    Detail_DrawGraph();
}

void DetailsFrm::GraphControl_ItemClick(const QString& key)
{
    if (!HasProfile())
        return;
    const auto zoom = [this](bool in) {
        if (ZoomedIn == in)
            return;
        ZoomedIn = in;
        if (in)
            PlaceZoomWindow(SampleTime[static_cast<size_t>(CursorIndex)]);
        SetTimeLabels();
        Detail_DrawGraph();
    };
    if (key == "FirstData") {
        CursorIndex = 1;
        DetailGrid->MoveFirst();
        Detail_ReDrawGraph();
    } else if (key == "PreviousData") {
        if (CursorIndex > 1)
            --CursorIndex;
        Detail_ReDrawGraph();
    } else if (key == "NextData") {
        if (CursorIndex < SampleCount - 1)
            ++CursorIndex;
        Detail_ReDrawGraph();
    } else if (key == "LastData") {
        CursorIndex = SampleCount - 1;
        DetailGrid->MoveLast();
        Detail_ReDrawGraph();
    } else if (key == "ZoomIn") {
        zoom(true);
    } else if (key == "ZoomOut") {
        zoom(false);
    }
    KeyDown_Detail_PointGrid(CursorIndex);
}

bool DetailsFrm::Graph_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    if (keyCode != KeyLeft && keyCode != KeyRight)
        return false;
    if (!HasProfile())
        return true;
    if (keyCode == KeyLeft && CursorIndex > 1)
        --CursorIndex;
    else if (keyCode == KeyRight && CursorIndex < SampleCount - 1)
        ++CursorIndex;
    else
        return true;
    Detail_ReDrawGraph();
    KeyDown_Detail_PointGrid(CursorIndex);
    return true;
}

// The window's own arrows stop one sample before the last.
void DetailsFrm::Form_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    if (!HasProfile())
        return;
    if (keyCode == KeyLeft && CursorIndex > 1)
        --CursorIndex;
    else if (keyCode == KeyRight && CursorIndex < SampleCount - 2)
        ++CursorIndex;
    else
        return;
    Detail_ReDrawGraph();
    KeyDown_Detail_PointGrid(CursorIndex);
}

void DetailsFrm::GraphControl_KeyDown(int keyCode, Qt::KeyboardModifiers shift)
{
    Form_KeyDown(keyCode, shift);
}

void DetailsFrm::Graph_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double x, double)
{
    if (!HasProfile())
        return;
    Detail_ReDrawGraph();
    Detail_PointGrid(x);
}

void DetailsFrm::Form_Resize()
{
    // The layout stretches the graph with the window; the graph redraws on its resize.
}

int DetailsFrm::KeyCodeOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left: return KeyLeft;
    case Qt::Key_Right: return KeyRight;
    default: return 0;
    }
}

void DetailsFrm::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(KeyCodeOf(event->key()), event->modifiers());
    ChildForm::keyPressEvent(event);
}

void DetailsFrm::resizeEvent(QResizeEvent* event)
{
    ChildForm::resizeEvent(event);
    Form_Resize();
}

bool DetailsFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GraphControl && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = KeyCodeOf(key->key());
        if (code != 0) {
            GraphControl_KeyDown(code, key->modifiers());
            return true;
        }
    }
    return ChildForm::eventFilter(watched, event);
}

} // namespace kvl
