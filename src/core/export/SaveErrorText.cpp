#include "core/export/SaveErrorText.h"

#include <cerrno>

namespace tremvix {

std::string SaveErrorReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
        return "ディスクの空き容量が足りません";
    case EDQUOT:
        return "ディスクの使用量の制限を超えています";
    case EFBIG:
        return "ファイルが大きすぎます";
    case EACCES:
    case EPERM:
        return "書き込みの権限がありません";
    case EROFS:
        return "読み取り専用の場所です";
    case ENOENT:
        return "フォルダが見つかりません";
    case ENOTDIR:
        return "フォルダの名前が正しくありません";
    case EISDIR:
        return "同じ名前のフォルダがあります";
    case EINVAL:
        return "通常のファイルではありません";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます";
    case EIO:
        return "入出力エラーが発生しました";
    default:
        return {};
    }
}

}  // namespace tremvix
