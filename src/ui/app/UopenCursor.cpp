// Reading the graph with the mouse: the vertical cursor, the readout and the data
// list click.
#include "core/data/ChannelList.h"
#include "core/display/PointerToSample.h"
#include "ui/app/Forms.h"
#include "ui/base/HandlerCall.h"
#include "ui/app/Uopen.h"
#include "ui/base/WindowStyle.h"
#include "ui/display/Mywave.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/StringGrid.h"
#include "ui/base/TextCodec.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kReadoutX = 480;
constexpr int kReadoutY = 415;
constexpr int kReadoutLimit = 51;
constexpr int kCursorTop = 10;
constexpr int kCursorBottom = 410;

// Spaces blank the previous readout; in a font whose spaces are narrower than the
// digits they would leave its tail, so the blank runs to the canvas's right edge.
void BlankReadout(Canvas& canvas, int spaces) {
    const QString blank(spaces, QLatin1Char(' '));
    canvas.TextOut(kReadoutX, kReadoutY, blank);
    canvas.FillRect(kReadoutX, kReadoutY, canvas.image().width(), kReadoutY + canvas.TextHeight(blank));
}

}  // namespace

void TOpen::ConnectCursorHandlers() {
    connect(MyWave1, &TMyWave::mouseMoved, this,
            [this](int x, int y) { RunHandler([&] { MyWave1MouseMove(x, y); }); });
    connect(MyWave1, &TMyWave::mousePressed, this,
            [this](Qt::MouseButton, int x, int y) { RunHandler([&] { MyWave1MouseDown(x, y); }); });
}

tremvix::PointedSample TOpen::PointedAt(int x, int y) const {
    tremvix::PointerMapping mapping;
    mapping.OriginX = MyWave1->OriginX;
    mapping.UnitLenX = MyWave1->UnitLenX;
    mapping.VValueX = MyWave1->VValueX;
    mapping.StartIndex = Layout.StartIndex;
    mapping.SamplingInterval = Filters.SamplingInterval;
    mapping.TraceHeight = Layout.TraceHeight;
    mapping.HalfTraceHeight = Layout.HalfTraceHeight;
    mapping.BandCount = Layout.SelectedCount;
    mapping.SelectedChannels = Layout.SelectedChannels.data();
    return tremvix::PointerToSample(mapping, x, y);
}

bool TOpen::InsideTimeAxis(int x) const {
    return x >= MyWave1->OriginX && x <= MyWave1->OriginX + MyWave1->NGridX * MyWave1->UnitLenX;
}

QString TOpen::ReadoutText(int channel, int sample) const {
    const QString value = DataList->StringGrid1->cell(channel + 1, sample);
    const QString unit = DecodeText(list_.Cell(tremvix::ChannelList::kUnit, channel + 1));
    return (QString::asprintf("CH%d  %6d", channel + 1, sample) + value + unit).left(kReadoutLimit);
}

void TOpen::MyWave1MouseMove(int x, int y) {
    if (!Button7->isEnabled()) return;  // nothing drawn since start-up
    Canvas& canvas = MyWave1->canvas();
    BlankReadout(canvas, 37);
    MyWave1->update();
    if (!InsideTimeAxis(x) || y < 0 || y > 424) return;
    if (!CBLine->isChecked()) return;

    // Inverting every pixel keeps the line visible on white and on every trace
    // colour, and drawing it again gives the pixels back.
    canvas.pen.mode = Canvas::PenMode::Xor;
    const std::uint32_t penColour = canvas.pen.color;
    canvas.pen.color = 0xFFFFFF;
    canvas.MoveTo(CursorX, kCursorTop);
    canvas.LineTo(CursorX, kCursorBottom);
    canvas.MoveTo(x, kCursorTop);
    canvas.LineTo(x, kCursorBottom);
    canvas.pen.color = penColour;
    CursorX = x;
    CursorY = y;

    const tremvix::PointedSample pointed = PointedAt(x, y);
    if (pointed.sample < 1 || pointed.sample > Store().DataCount || !pointed.inBand) return;
    BlankReadout(canvas, 36);
    canvas.TextOut(kReadoutX, kReadoutY, ReadoutText(pointed.channel, pointed.sample));
    MyWave1->update();
}

void TOpen::MyWave1MouseDown(int x, int y) {
    if (!CBList->isChecked()) return;
    if (!Button7->isEnabled()) return;  // no band layout before the first drawing
    if (!InsideTimeAxis(x)) return;
    const tremvix::PointedSample pointed = PointedAt(x, y);
    if (pointed.sample < 1 || pointed.sample > Store().DataCount || !pointed.inBand) return;
    DataList->StringGrid1->setCurrentCell(pointed.channel + 1, pointed.sample);
    DataList->Label2->setText(QStringLiteral("クリックした点は %1 CHの波形の %2 番目のデータです")
                                  .arg(pointed.channel + 1)
                                  .arg(pointed.sample));
    DataList->Label2->adjustSize();
    ShowWindow(DataList);
}
