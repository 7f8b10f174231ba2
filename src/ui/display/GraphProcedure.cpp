#include "ui/display/GraphProcedure.h"

#include "ui/base/Conversions.h"
#include "ui/display/GraphScale.h"
#include "ui/display/Mywave.h"
#include "ui/base/TextCodec.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

using tremvix::ChannelList;
using tremvix::ChannelRecord;
using tremvix::ChannelStore;
using tremvix::kMaxChannels;

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kMaxEnvelopes = 5;
constexpr int kStartLabelX = 570;

int SamplesOf(const ChannelRecord& record) { return record.StoredCount(); }

QString FieldText(const char* field, std::size_t width) {
    return DecodeText(std::string_view(field, strnlen(field, width)));
}

}  // namespace

GraphMessage MessageOf(GraphOutcome outcome) {
    const QString spaces(5, QChar(0x3000));
    const QString selection = QStringLiteral("選択エラー");
    switch (outcome) {
        case GraphOutcome::TooManyMaxima: return {QStringLiteral("最大値を描くチャンネルが多すぎます") + spaces, selection};
        case GraphOutcome::NoChannel:
            return {QStringLiteral("グラフを描くデータチャンネルが指定されておりません") + spaces, selection};
        case GraphOutcome::WindowTooShort: return {QStringLiteral("時間軸が不適切（短すぎる）です") + spaces, selection};
        case GraphOutcome::RecordNotFilled:
            return {QStringLiteral("読み込みチャンネル数が多すぎます") + spaces, QStringLiteral("多すぎるデータ読み込み")};
        case GraphOutcome::StartOutOfRange: return {QStringLiteral("開始点がデータの範囲外です") + spaces, selection};
        case GraphOutcome::ScaleNotPositive:
            return {QStringLiteral("目盛り量には正の数を指定してください") + spaces, selection};
        case GraphOutcome::NotTransferred:
        case GraphOutcome::Drawn: break;
    }
    return {};
}

// One run of the procedure: the inputs, the canvas and the layout it fills.
struct GraphProcedure::Pass {
    ChannelStore& store;
    const ChannelList& list;
    const GraphRequest& request;
    TMyWave& wave;
    GraphLayout& layout;
    const GraphHooks& hooks;
    std::vector<float>& work;
    const float* trace = nullptr;  // the samples the next trace draws
    float commonScale = 0.0f;      // Edit2 as read, with `equal`
    bool cleared = false;          // the picture has been replaced

    bool Drawn(int i) const { return !list.Cell(ChannelList::kSelect, i + 1).empty(); }
    const ChannelRecord& Chosen(int i) const { return store.RecordForDisplay(i); }
    float TimeStep() const { return static_cast<float>(1.0L / request.SamplingRate); }
    void SetTimeScale() const { wave.VValueX = static_cast<float>(0.2 * static_cast<long double>(request.DisplayTime)); }
    float CommonScale() const { return static_cast<float>(StrToFloat(request.scaleText)); }
    bool ReadCommonScale();

    GraphOutcome Run();
    bool StartInRange() const;
    GraphOutcome DrawStacked();
    void DrawTrace(const ChannelRecord& chosen, int start, int count, std::uint32_t colour, bool withScale);
    void DrawOverlaid();
    // The drawn samples of channel i: the record itself, or an inverted copy.
    const float* Polarised(int i);
    int Drawable(int i) const { return std::min(SamplesOf(store.BaseBank[i]), SamplesOf(Chosen(i))); }
    void DrawStartLabel();
    QString OverlaidUnit() const;
};

GraphOutcome GraphProcedure::Pass::Run() {
    wave.canvas().pen.mode = Canvas::PenMode::Copy;
    if (store.NothingTransferred) return GraphOutcome::NotTransferred;
    for (int i = 0; i < kMaxChannels; ++i) store.PolarityNormal[i] = !request.polarity[i];
    if (std::count(request.maxima.begin(), request.maxima.end(), true) > kMaxEnvelopes) return GraphOutcome::TooManyMaxima;

    const int channels = std::clamp(store.ChannelCount, 0, kMaxChannels);
    int selected = 0;
    for (int i = 0; i < channels; ++i)
        if (list.IsSelected(i + 1)) layout.SelectedChannels[selected++] = i;
    if (selected == 0) return GraphOutcome::NoChannel;
    if (hooks.hideLogo) hooks.hideLogo();

    layout.TraceCount = selected;
    layout.SelectedCount = selected;
    layout.HalfTraceHeight = request.CanvasHeight / (2 * selected);
    layout.TraceHeight = request.CanvasHeight / selected;
    for (int i = 0; i < channels; ++i)
        store.DisplayType[i] = tremvix::TypeCodeOfCell(list.Cell(ChannelList::kType, i + 1).c_str());

    const int start = StrToInt(request.startText);
    if (!ReadCommonScale()) return GraphOutcome::ScaleNotPositive;
    layout.StartIndex = start;
    layout.WindowLength = tremvix::WindowSamples(request.DisplayTime, request.SamplingInterval);
    if (layout.WindowLength < 500) return GraphOutcome::WindowTooShort;
    if (!StartInRange()) return GraphOutcome::StartOutOfRange;

    wave.Clear(kWhite);
    cleared = true;
    if (!request.overwrite) {
        const GraphOutcome stacked = DrawStacked();
        if (stacked != GraphOutcome::Drawn) return stacked;
    } else {
        DrawOverlaid();
    }
    DrawStartLabel();
    return GraphOutcome::Drawn;
}

// The common scale is read before anything is drawn, so that a scale that does not
// convert, or one of zero, below zero or beyond the float range, leaves the picture shown.
bool GraphProcedure::Pass::ReadCommonScale() {
    if (!request.equal) return true;
    commonScale = CommonScale();
    return commonScale > 0.0f && std::isfinite(commonScale);
}

// Every drawn channel must hold the first sample of the window.
bool GraphProcedure::Pass::StartInRange() const {
    for (int i = 0; i < store.ChannelCount && i < kMaxChannels; ++i)
        if (Drawn(i) && (layout.StartIndex < 0 || layout.StartIndex >= SamplesOf(store.BaseBank[i]))) return false;
    return true;
}

GraphOutcome GraphProcedure::Pass::DrawStacked() {
    const std::uint32_t colour = request.colour ? kRed : kBlack;
    int band = 0;
    for (int i = 0; i < store.ChannelCount && i < kMaxChannels; ++i) {
        if (!Drawn(i)) continue;
        layout.WindowLength = tremvix::ClampWindow(layout.StartIndex, layout.WindowLength, Drawable(i));
        if (hooks.showWindowLength) hooks.showWindowLength(layout.WindowLength);
        wave.OriginY = band * layout.TraceHeight + layout.HalfTraceHeight;
        wave.UnitY = DecodeText(list.Cell(ChannelList::kUnit, i + 1));
        const ChannelRecord& chosen = Chosen(i);
        if (!chosen.Filled) return GraphOutcome::RecordNotFilled;
        trace = Polarised(i);
        // Running maxima are of the record as stored, whatever its polarity.
        const bool envelopes = request.maxima[i];
        const int end = layout.StartIndex + layout.WindowLength;
        if (envelopes) {
            work.resize(static_cast<std::size_t>(end));
            tremvix::PositiveEnvelope(chosen.Samples.data(), end, work.data());
            trace = work.data();
        }
        DrawTrace(chosen, layout.StartIndex, layout.WindowLength, colour, true);
        ++band;
        if (envelopes) {
            tremvix::NegativeEnvelope(chosen.Samples.data(), end, work.data());
            DrawTrace(chosen, layout.StartIndex, layout.WindowLength, colour, false);
        }
    }
    return GraphOutcome::Drawn;
}

void GraphProcedure::Pass::DrawTrace(const ChannelRecord& chosen, int start, int count, std::uint32_t colour,
                                     bool withScale) {
    Canvas& canvas = wave.canvas();
    wave.Title = FieldText(chosen.PointName, sizeof chosen.PointName);
    SetTimeScale();
    if (withScale) {
        const float largest = tremvix::LargestMagnitude(trace + start, count);
        wave.UnitLenY = tremvix::BandUnitLenY(request.CanvasHeight, layout.TraceCount);
        if (layout.TraceCount <= 4) {
            wave.VValueY = tremvix::ScaleStep(2, largest);
            wave.NGridY = 2;
        } else {
            wave.VValueY = 2 * tremvix::ScaleStep(2, largest);
            wave.NGridY = 1;
        }
        canvas.pen.color = kBlack;
        if (request.equal) wave.VValueY = commonScale;
        wave.DrawScale();
    }
    canvas.pen.color = colour;
    wave.DrawWave1(count, trace + start, TimeStep());
}

void GraphProcedure::Pass::DrawOverlaid() {
    layout.TraceCount = 1;
    float largest = 0.0f;
    for (int i = 0; i < store.ChannelCount && i < kMaxChannels; ++i) {
        if (!Drawn(i)) continue;
        layout.WindowLength = tremvix::ClampWindow(layout.StartIndex, layout.WindowLength, Drawable(i));
        largest = std::max(largest,
                           tremvix::LargestMagnitude(Chosen(i).Samples.data() + layout.StartIndex, layout.WindowLength));
    }
    Canvas& canvas = wave.canvas();
    wave.VValueY = tremvix::ScaleStep(2, largest);
    wave.NGridY = 2;
    wave.OriginY = request.CanvasHeight / 2;
    wave.UnitLenY = tremvix::OverlayUnitLenY(request.CanvasHeight);
    canvas.pen.color = kBlack;
    SetTimeScale();
    wave.Title = QString();
    wave.UnitY = OverlaidUnit();
    if (request.equal) wave.VValueY = commonScale;
    wave.DrawScale();

    int position = 0;
    for (int i = 0; i < store.ChannelCount && i < kMaxChannels; ++i) {
        if (!Drawn(i)) continue;
        trace = Polarised(i);
        canvas.pen.color = request.colour ? kTraceColours[position] : kBlack;
        wave.DrawWave1(layout.WindowLength, trace + layout.StartIndex, TimeStep());
        ++position;
    }
}

// The unit of the overlaid channels, or all of their units where they differ: the
// label must never name a unit that none of the drawn data has.
QString GraphProcedure::Pass::OverlaidUnit() const {
    QStringList units;
    for (int i = 0; i < store.ChannelCount && i < kMaxChannels; ++i) {
        if (!Drawn(i)) continue;
        const QString unit = DecodeText(list.Cell(ChannelList::kUnit, i + 1));
        if (!units.contains(unit)) units << unit;
    }
    return units.join(QStringLiteral(", "));
}

const float* GraphProcedure::Pass::Polarised(int i) {
    const ChannelRecord& chosen = Chosen(i);
    if (store.PolarityNormal[i]) return chosen.Samples.data();
    const int end = std::min(layout.StartIndex + layout.WindowLength, SamplesOf(chosen));
    work.resize(static_cast<std::size_t>(std::max(end, 0)));
    for (int j = layout.StartIndex; j < end; ++j) work[j] = -chosen.Samples[j];
    return work.data();
}

void GraphProcedure::Pass::DrawStartLabel() {
    const int start = StrToInt(request.startText);
    const QString label =
        start > 0 ? QString::asprintf("+%.2f[s]", static_cast<double>(start * static_cast<long double>(request.SamplingInterval)))
                  : QString(12, QLatin1Char(' '));
    // Right of the time axis, but moved left where a long time would run off the canvas.
    Canvas& canvas = wave.canvas();
    const int x = start > 0 ? std::min(kStartLabelX, canvas.image().width() - canvas.TextWidth(label) - 1) : kStartLabelX;
    canvas.TextOut(x, 10, label);
    wave.update();
}

GraphProcedure::GraphProcedure() = default;
GraphProcedure::~GraphProcedure() = default;

GraphOutcome GraphProcedure::Run(ChannelStore& store, const ChannelList& list, const GraphRequest& request,
                                 TMyWave& canvas, GraphLayout& layout, const GraphHooks& hooks) {
    // A refusal leaves the picture shown, so the cursor and the clicks must keep
    // reading its layout: the whole layout is put back unless the canvas was redrawn.
    const GraphLayout shown = layout;
    Pass pass{store, list, request, canvas, layout, hooks, work_};
    try {
        const GraphOutcome outcome = pass.Run();
        if (!pass.cleared) layout = shown;
        return outcome;
    } catch (...) {
        if (!pass.cleared) layout = shown;
        throw;
    }
}
