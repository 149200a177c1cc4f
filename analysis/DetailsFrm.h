#pragma once
// The profile form (form code 6): the current dive's depth over time with a point
// cursor, and one grid row per sample. The samples, their alarms, the axes and the
// cursor's point come from analysis/core/Profile.h; this form draws and routes input.

#include "analysis/core/Profile.h"
#include "forms/ChildForm.h"

#include <QImage>
#include <QStringList>

#include <vector>

class QLabel;
class QFrame;

namespace kvl {

class DataGrid;
class PictureBox;
class SmartToolBar;

// A strip of tick labels beside the graph: label i of n stands at i/n of its length,
// label 0 ("0") at the start.
class AxisStrip : public QWidget {
    Q_OBJECT
public:
    AxisStrip(Qt::Orientation orientation, QWidget* parent = nullptr);
    void SetLabels(const QStringList& texts);   // the labels 1 to n
    QStringList Labels() const;
    // The label at the axis's start: "0" unless the view starts further on.
    void SetOrigin(const QString& text);
    QString Origin() const;
    void Clear()
    {
        SetOrigin(QStringLiteral("0"));
        SetLabels({});
    }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place();
    Qt::Orientation orientation_;
    std::vector<QLabel*> labels_;   // element 0 is the origin's label
};

class DetailsFrm : public ChildFormOf<DetailsFrm> {
    Q_OBJECT
public:
    // Key codes the key handlers take.
    enum KeyCode { KeyLeft = 37, KeyRight = 39 };
    // The columns of the sample grid, in their order.
    enum GridColumn { ColIndex, ColTime, ColDepth, ColAscent, ColTemp, ColPO2, ColAlarmEvents, ColAlarmDetails };
    // The depth axis never reaches below this (feet).
    static constexpr double DepthAxisCapFeet = 400;

    DetailsFrm();

    void Detail_Initinfo();
    void Detail_InitArr();
    void Detail_ClearLabels();
    void Detail_InitGraph();
    void Detail_DrawGraph();
    void Detail_PointGrid(double x);
    void Detail_Display(int newX, float newY);
    void KeyDown_Detail_PointGrid(int i);
    void ResamplingTime();
    void Detail_ReDrawGraph();
    void HideAll();
    void ShowAll();

    void Form_Resize();
    void Graph_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x, double y);
    // True when the key was one of the graph's.
    bool Graph_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void GraphControl_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void GraphControl_ItemClick(const QString& key);

    // The view state.
    std::vector<float> SampleDepth;
    std::vector<qint32> SampleTime;
    std::vector<quint8> SampleVari;
    qint32 SampleCount = 0;
    bool NoProfile = false;
    int CursorIndex = 0;
    float MaxDepthAlarm = 0;
    AscentScale DiveScale = AscentScale::Velk;   // the dive's recorded ascent scale
    double AxisDepth = 0;
    qint32 AxisSeconds = 0;
    qint32 TimeTicks = 0;
    qint32 DepthTicks = 0;
    bool ZoomedIn = false;
    profile::AlarmState Alarms;   // AlarmStatus, AlarmLatch and the two start times
    qint32 ZoomStart = 0;         // the zoomed window's first second

    // The controls.
    PictureBox* Graph = nullptr;
    AxisStrip* XG = nullptr;
    AxisStrip* YG = nullptr;
    QLabel* Label2 = nullptr;     // the depth unit beside the depth axis
    QLabel* Label3 = nullptr;     // the sampling rate
    SmartToolBar* GraphControl = nullptr;
    QFrame* Frame2 = nullptr;
    DataGrid* DetailGrid = nullptr;
    QImage tmpPic;                // the finished drawing, without the cross-hair

    void Form_Load() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    bool HasProfile() const { return SampleCount >= 2; }
    void ApplyRecordedSettings();
    void ClipToMaxDepth(profile::ProfileRows& rows);
    void FillSamples(const profile::ProfileRows& rows);
    void SetTimeLabels();
    void ShowDepthUnit();
    // The time span the graph shows: the whole axis, or the zoomed half of it.
    qint32 WindowSeconds() const { return ZoomedIn ? AxisSeconds / 2 : AxisSeconds; }
    qint32 WindowStart() const { return ZoomedIn ? ZoomStart : 0; }
    void PlaceZoomWindow(double time);
    void ScrollTo(double time);
    void SetCursorScale();
    void DrawCrossHair(double x, double y);
    void CloseSelf();
    static int KeyCodeOf(int qtKey);

    int timeStep_ = 1;   // minutes between time ticks
    double crossX_ = -1, crossY_ = 0;
};

} // namespace kvl
