#pragma once

#include "core/data/ChannelList.h"
#include "core/data/ChannelRecord.h"
#include "core/data/ChannelStore.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class TMyWave;

// The drawing settings, as the main window's controls hold them at the moment of drawing.
struct GraphRequest {
    std::array<bool, tremvix::kMaxChannels> polarity{};  // checked: draw the channel inverted
    std::array<bool, tremvix::kMaxChannels> maxima{};    // checked: draw its running maxima
    bool overwrite = false;
    bool colour = false;
    bool equal = false;
    QString startText = QStringLiteral("0");    // Edit1, a decimal integer
    QString scaleText = QStringLiteral("10");   // Edit2, read only when `equal`
    float DisplayTime = 50.0f;
    float SamplingInterval = 0.01f;
    std::int32_t SamplingRate = 100;
    std::int32_t CanvasHeight = 425;
};

// What a drawing leaves for the cursor: which channels lie in which band, and the
// samples of the window.
struct GraphLayout {
    std::array<std::int32_t, tremvix::kMaxChannels> SelectedChannels{};
    std::int32_t TraceCount = 0;
    std::int32_t SelectedCount = 0;  // bands of the layout, also in overwrite mode
    std::int32_t TraceHeight = 0;
    std::int32_t HalfTraceHeight = 0;
    std::int32_t StartIndex = 0;
    std::int32_t WindowLength = 0;
};

enum class GraphOutcome {
    NotTransferred,   // nothing loaded yet: silently nothing
    Drawn,
    TooManyMaxima,
    NoChannel,
    WindowTooShort,
    RecordNotFilled,  // stacked mode: stopped after the bands already drawn
    StartOutOfRange,
    ScaleNotPositive,  // with `equal`: Edit2 zero, negative or not finite as a float
};

// Effects on the window that happen part-way through a drawing, before it may stop.
struct GraphHooks {
    std::function<void()> hideLogo;
    std::function<void(int windowLength)> showWindowLength;
};

// The message a refusal shows, empty for the outcomes that show none.
struct GraphMessage {
    QString text;
    QString caption;
};
GraphMessage MessageOf(GraphOutcome outcome);

// The single drawing routine of the main window. It keeps one working array, reused
// for every channel, so that inversion and envelopes never touch the store; plain
// traces are drawn from the store itself.
class GraphProcedure {
public:
    GraphProcedure();
    ~GraphProcedure();
    GraphProcedure(const GraphProcedure&) = delete;
    GraphProcedure& operator=(const GraphProcedure&) = delete;

    // Writes PolarityNormal and DisplayType of `store`, the canvas and `layout`. A start
    // text (or, with `equal`, a scale text) that is not a number throws ConversionError
    // at the point where it is read.
    GraphOutcome Run(tremvix::ChannelStore& store, const tremvix::ChannelList& list, const GraphRequest& request,
                     TMyWave& canvas, GraphLayout& layout, const GraphHooks& hooks = {});

private:
    struct Pass;
    std::vector<float> work_;
};

// Trace colours of the overlaid mode, by position among the drawn channels.
inline constexpr std::array<std::uint32_t, 8> kTraceColours = {0x0000FF, 0xFF0000, 0xFF00FF, 0x008000,
                                                               0xFFFF00, 0x00FFFF, 0x000000, 0x800080};
