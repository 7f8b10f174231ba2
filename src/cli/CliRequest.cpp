#include "cli/CliRequest.h"

#include "cli/OptionValues.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <set>

namespace tremvix::cli {
namespace {

struct CommandSpec {
    std::string_view name;
    Command command;
    int operands;  // FILE, or FILE and OUT; kOneOrMore: PATH...
};

constexpr int kOneOrMore = -1;
constexpr int kMaxThreads = 256;

constexpr std::array<CommandSpec, 13> kCommands = {{
    {"--help", Command::Help, 0},
    {"--version", Command::Version, 0},
    {"--info", Command::Info, 1},
    {"--convert", Command::Convert, 2},
    {"--render", Command::Render, 2},
    {"--spectrum", Command::Spectrum, 1},
    {"--fourier", Command::Fourier, 1},
    {"--intensity", Command::Intensity, 1},
    {"--indices", Command::Indices, 1},
    {"--lpgm", Command::Lpgm, 1},
    {"--si", Command::Si, 1},
    {"--rotd", Command::Rotd, 1},
    {"--survey", Command::Survey, kOneOrMore},
}};

// An option's value, applied to the request; the reason when it is wrong.
using Problem = std::optional<std::string>;
using Apply = std::function<Problem(CliRequest&, std::string_view name, std::string_view value)>;

struct OptionSpec {
    std::string_view name;
    bool takesValue;
    std::vector<Command> commands;  // empty: every command that reads a file
    Apply apply;
};

Problem NotAValue(std::string_view name, std::string_view value) {
    return std::string(name) + " の値が正しくありません: " + std::string(value);
}

// A list of numbers within `range`, or the reason.
Problem SetRealsIn(std::vector<double>& target, const ValueRange& range, std::string_view name,
                   std::string_view value) {
    std::optional<std::vector<double>> list = ParseRealList(value);
    if (!list) return NotAValue(name, value);
    if (Problem outside = OutOfRange(name, *list, range, value)) return outside;
    target = std::move(*list);
    return std::nullopt;
}

Problem SetRealIn(double& target, const ValueRange& range, std::string_view name, std::string_view value) {
    const std::optional<double> number = ParseReal(value);
    if (!number) return NotAValue(name, value);
    if (Problem outside = OutOfRange(name, {*number}, range, value)) return outside;
    target = *number;
    return std::nullopt;
}

// Simple switches and values whose only check is their form.
Apply Checked(std::function<bool(CliRequest&, std::string_view)> set) {
    return [set = std::move(set)](CliRequest& r, std::string_view name, std::string_view value) -> Problem {
        if (set(r, value)) return std::nullopt;
        return NotAValue(name, value);
    };
}

Problem SetDampings(CliRequest& r, std::string_view name, std::string_view value) {
    std::vector<double> dampings;
    if (Problem problem = SetRealsIn(dampings, kDampingRange, name, value)) return problem;
    // A damping named twice is one spectrum, as a period named twice is one row.
    r.dampings.clear();
    for (const double z : dampings)
        if (std::find(r.dampings.begin(), r.dampings.end(), z) == r.dampings.end()) r.dampings.push_back(z);
    return std::nullopt;
}

const std::vector<OptionSpec>& Options() {
    using C = Command;
    static const std::vector<OptionSpec> kOptions = {
        {"--rate", true, {},
         [](CliRequest& r, std::string_view n, std::string_view v) { return SetRealIn(r.rate, kRateRange, n, v); }},
        {"--layout", true, {}, Checked([](CliRequest& r, std::string_view v) {
             if (v != "standard" && v != "edefence") return false;
             r.layout = v == "edefence" ? FileLayout::EDefence : FileLayout::Standard;
             return true;
         })},
        {"--channels", true, {C::Render, C::Intensity, C::Lpgm, C::Rotd}, Checked([](CliRequest& r, std::string_view v) {
             r.channels = ParseChannelChoices(v);
             return r.channels.has_value();
         })},
        {"--channel", true, {C::Spectrum, C::Fourier}, Checked([](CliRequest& r, std::string_view v) {
             const std::optional<int> k = ParseWhole(v);
             if (!k || *k < 1) return false;
             r.channel = *k;
             return true;
         })},
        {"--time", true, {C::Render}, Checked([](CliRequest& r, std::string_view v) {
             // The window holds the display time as a float.
             const std::optional<double> time = ParseReal(v);
             if (!time || *time <= 0.0 || !std::isfinite(static_cast<float>(*time))) return false;
             r.displayTime = *time;
             return true;
         })},
        {"--start", true, {C::Render}, Checked([](CliRequest& r, std::string_view v) {
             const std::optional<int> start = ParseWhole(v);
             if (start) r.start = *start;
             return start.has_value();
         })},
        {"--overlay", false, {C::Render}, Checked([](CliRequest& r, std::string_view) { return r.overlay = true; })},
        {"--mono", false, {C::Render}, Checked([](CliRequest& r, std::string_view) { return r.mono = true; })},
        {"--filter", false, {C::Render}, Checked([](CliRequest& r, std::string_view) { return r.filter = true; })},
        {"--same-scale", true, {C::Render}, Checked([](CliRequest& r, std::string_view v) {
             r.sameScale = ParseReal(v);
             return r.sameScale.has_value();
         })},
        {"--damping", true, {C::Spectrum, C::Rotd}, SetDampings},
        {"--periods", true, {C::Spectrum, C::Rotd},
         [](CliRequest& r, std::string_view n, std::string_view v) {
             std::vector<double> periods;
             Problem problem = SetRealsIn(periods, kPeriodRange, n, v);
             if (!problem) r.periods = std::move(periods);
             return problem;
         }},
        {"--smooth", true, {C::Fourier},
         [](CliRequest& r, std::string_view n, std::string_view v) {
             double bandwidth = 0.0;
             Problem problem = SetRealIn(bandwidth, kBandwidthRange, n, v);
             if (!problem) r.smoothing = bandwidth;
             return problem;
         }},
        {"--threads", true, {C::Survey}, Checked([](CliRequest& r, std::string_view v) {
             const std::optional<int> threads = ParseWhole(v);
             if (!threads || *threads < 1 || *threads > kMaxThreads) return false;
             r.threads = *threads;
             return true;
         })},
        {"--out", true, {C::Survey}, Checked([](CliRequest& r, std::string_view v) {
             r.output = v;
             return !v.empty();
         })},
        {"--failures", true, {C::Survey}, Checked([](CliRequest& r, std::string_view v) {
             r.failures = v;
             return !v.empty();
         })},
        {"--integration", true, {C::Indices}, Checked([](CliRequest& r, std::string_view v) {
             if (v == "none") r.integration = IntegrationFilter::None;
             else if (v == "bandpass") r.integration = IntegrationFilter::BandPass;
             else if (v == "lowpass") r.integration = IntegrationFilter::LowPass;
             else return false;
             return true;
         })},
    };
    return kOptions;
}

const CommandSpec* FindCommand(std::string_view name) {
    for (const CommandSpec& spec : kCommands)
        if (spec.name == name) return &spec;
    return nullptr;
}

const OptionSpec* FindOption(std::string_view name) {
    for (const OptionSpec& spec : Options())
        if (spec.name == name) return &spec;
    return nullptr;
}

// Components are distinct channels: the first choice given twice, else "".
std::string RepeatedChoice(const std::vector<ChannelChoice>& chosen) {
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (std::find(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(i), chosen[i]) !=
            chosen.begin() + static_cast<std::ptrdiff_t>(i))
            return ChoiceText(chosen[i]);
    return {};
}

bool EndsWithPng(std::string_view name) {
    if (name.size() < 4) return false;
    std::string extension(name.substr(name.size() - 4));
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".png";
}

bool IsOptionLike(std::string_view argument) { return argument.size() > 1 && argument.front() == '-'; }

ParsedArguments Wrong(std::string text) { return {std::nullopt, std::move(text)}; }

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}
    ParsedArguments Run();

private:
    std::optional<std::string> Next(std::size_t& i) const {
        if (i + 1 >= arguments_.size()) return std::nullopt;
        return arguments_[++i];
    }
    std::optional<std::string> TakeCommand(const CommandSpec& spec, std::optional<std::string> inlineValue,
                                           std::size_t& i);
    std::optional<std::string> TakeOption(const OptionSpec& spec, std::optional<std::string> inlineValue,
                                          std::size_t& i);
    std::optional<std::string> TakePaths(const CommandSpec& spec, std::optional<std::string> inlineValue, std::size_t& i);
    std::optional<std::string> CheckFits() const;

    const std::vector<std::string>& arguments_;
    CliRequest request_;
    const CommandSpec* command_ = nullptr;
    std::set<std::string_view> given_;
};

ParsedArguments Parser::Run() {
    for (std::size_t i = 0; i < arguments_.size(); ++i) {
        std::string_view argument = arguments_[i];
        // --help is a command like --version: anything beside it is a mistake.
        if (argument == "-h") argument = "--help";
        if (!IsOptionLike(argument)) return Wrong("余分な引数があります: " + std::string(argument));
        std::optional<std::string> inlineValue;
        if (const std::size_t equals = argument.find('='); argument.starts_with("--") && equals != argument.npos) {
            inlineValue = std::string(argument.substr(equals + 1));
            argument = argument.substr(0, equals);
        }
        std::optional<std::string> error;
        if (const CommandSpec* command = FindCommand(argument)) {
            error = TakeCommand(*command, std::move(inlineValue), i);
        } else if (const OptionSpec* option = FindOption(argument)) {
            error = TakeOption(*option, std::move(inlineValue), i);
        } else {
            error = "不明なオプションです: " + std::string(argument);
        }
        if (error) return Wrong(std::move(*error));
    }
    if (!command_) return Wrong("コマンド（--info、--render など）が指定されていません");
    if (std::optional<std::string> error = CheckFits()) return Wrong(std::move(*error));
    return {request_, {}};
}

std::optional<std::string> Parser::TakeCommand(const CommandSpec& spec, std::optional<std::string> inlineValue,
                                               std::size_t& i) {
    if (command_) return "コマンドは一つだけ指定してください: " + std::string(command_->name) + " と " + std::string(spec.name);
    command_ = &spec;
    request_.command = spec.command;
    std::vector<std::string> operands;
    if (spec.operands == kOneOrMore) return TakePaths(spec, std::move(inlineValue), i);
    if (inlineValue) {
        if (inlineValue->empty()) return std::string(spec.name) + " にはファイル名が必要です";
        operands.push_back(std::move(*inlineValue));
    }
    while (static_cast<int>(operands.size()) < spec.operands) {
        std::optional<std::string> next = Next(i);
        if (!next || next->empty() || next->starts_with("--")) {
            const char* const what = operands.empty() ? "ファイル名" : "出力ファイル名";
            return std::string(spec.name) + " には" + what + "が必要です";
        }
        operands.push_back(std::move(*next));
    }
    if (static_cast<int>(operands.size()) > spec.operands) return std::string(spec.name) + " は値をとりません";
    if (!operands.empty()) request_.file = operands[0];
    if (operands.size() > 1) request_.output = operands[1];
    return std::nullopt;
}

// Every argument up to the next option is a path.
std::optional<std::string> Parser::TakePaths(const CommandSpec& spec, std::optional<std::string> inlineValue,
                                             std::size_t& i) {
    if (inlineValue) request_.paths.push_back(std::move(*inlineValue));
    while (i + 1 < arguments_.size() && !IsOptionLike(arguments_[i + 1])) request_.paths.push_back(arguments_[++i]);
    for (const std::string& path : request_.paths)
        if (path.empty()) return std::string(spec.name) + " のパスが空です";
    if (request_.paths.empty()) return std::string(spec.name) + " にはファイル、フォルダーまたは書庫が必要です";
    return std::nullopt;
}

std::optional<std::string> Parser::TakeOption(const OptionSpec& spec, std::optional<std::string> inlineValue,
                                              std::size_t& i) {
    const std::string name(spec.name);
    if (!given_.insert(spec.name).second) return name + " が二度指定されています";
    if (!spec.takesValue) {
        if (inlineValue) return name + " は値をとりません";
        return spec.apply(request_, spec.name, {});
    }
    std::optional<std::string> value = inlineValue ? std::move(inlineValue) : Next(i);
    if (!value) return name + " には値が必要です";
    return spec.apply(request_, spec.name, *value);
}

// Options that the chosen command does not read are a mistake, not something to ignore.
std::optional<std::string> Parser::CheckFits() const {
    const bool readsFile = command_->operands > 0;
    const bool survey = command_->command == Command::Survey;
    for (const std::string_view name : given_) {
        const OptionSpec& spec = *FindOption(name);
        // A survey reads every layout by content, with the defaults of the other commands.
        const bool fits = survey ? !spec.commands.empty() && spec.commands.front() == Command::Survey
                                 : readsFile && (spec.commands.empty() ||
                                        std::find(spec.commands.begin(), spec.commands.end(), command_->command) !=
                                            spec.commands.end());
        if (!fits) return std::string(name) + " は " + std::string(command_->name) + " とは使えません";
    }
    const bool needsChannel = command_->command == Command::Spectrum || command_->command == Command::Fourier;
    if (needsChannel && request_.channel == 0) return std::string(command_->name) + " には --channel K が必要です";
    if (command_->command == Command::Intensity && request_.channels && request_.channels->size() != 3)
        return "--intensity の --channels には NS、EW、UD の三つのチャンネルを指定してください";
    // Channels that stand for components are distinct; a list to draw may name one twice.
    if (command_->command != Command::Render && request_.channels) {
        if (std::string repeated = RepeatedChoice(*request_.channels); !repeated.empty())
            return "--channels: 同じチャンネル " + repeated + " が二つの成分に指定されています";
    }
    if (command_->command == Command::Render && !EndsWithPng(request_.output))
        return "--render の出力ファイル名は .png で終えてください: " + request_.output;
    return std::nullopt;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) { return Parser(arguments).Run(); }

}  // namespace tremvix::cli
