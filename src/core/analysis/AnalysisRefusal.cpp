#include "core/analysis/AnalysisRefusal.h"

namespace tremvix {

namespace {

constexpr const char* kTrailingSpaces = "\u3000\u3000\u3000\u3000\u3000";

const char* Message(AnalysisRefusalKind kind) {
    switch (kind) {
    case AnalysisRefusalKind::TooFewSamples:
        return "データの点数が足りません";
    case AnalysisRefusalKind::BadSamplingStep:
        return "サンプリング間隔が正しくありません";
    case AnalysisRefusalKind::NonFiniteSample:
        return "データに数値でない値が含まれています";
    case AnalysisRefusalKind::BadPeriod:
        return "周期は正の数で指定してください";
    case AnalysisRefusalKind::PeriodTooShort:
        return "周期がサンプリング間隔に比べて短すぎます";
    case AnalysisRefusalKind::BadDamping:
        return "減衰定数は0以上1未満で指定してください";
    case AnalysisRefusalKind::BadBandwidth:
        return "バンド幅は正の数で指定してください";
    case AnalysisRefusalKind::BadBand:
        return "振動数の範囲が正しくありません";
    case AnalysisRefusalKind::BadTaper:
        return "テーパーの長さが正しくありません";
    case AnalysisRefusalKind::LengthsDiffer:
        return "チャンネルのデータ数が一致しません";
    case AnalysisRefusalKind::RecordTooShort:
        return "記録が0.3秒より短いため震度を計算できません";
    case AnalysisRefusalKind::NoMotion:
        return "加速度がすべて0のため震度を計算できません";
    case AnalysisRefusalKind::IntegrationFailed:
        return "積分のためのメモリが確保できません";
    case AnalysisRefusalKind::HighPassNotDesignable:
        return "このサンプリング率では長周期地震動のハイパスフィルタを設計できません";
    }
    return "計算できません";
}

}  // namespace

std::string AnalysisRefusalText(const AnalysisRefusal& refusal) {
    return std::string(Message(refusal.kind)) + kTrailingSpaces;
}

std::string AnalysisRefusalCaption(const AnalysisRefusal& refusal) {
    // Bad values in the data are a file problem; everything else is what the
    // user chose.
    return refusal.kind == AnalysisRefusalKind::NonFiniteSample ? "ファイル形式エラー" : "選択エラー";
}

}  // namespace tremvix
