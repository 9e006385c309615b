#include "scenario/core/FailureDialogue.h"

#include "model/Failure.h"

namespace velmora {
namespace {

constexpr char kLineBreak = '\r';

FailureMessage RetryBox(const std::string& first, const std::string& title) {
  return {first + kLineBreak + "再試行しますか？", title, DialogueChoice::Retry, DialogueChoice::Skip};
}

}  // namespace

FailureMessage MessageForFailure(int code) {
  switch (code) {
    case kFileNotFound:
    case kPathNotFound:
      return RetryBox("ファイルが見つかりません。", "ファイルエラー");
    case kDeviceUnavailable:
    case kDiskNotReady:
      return RetryBox("ドライブが有効でありません。", "ドライブエラー");
    case kPermissionDenied:
      return RetryBox("ファイルの書き込み権限がありません。", "ファイルエラー");
    case kPathFileAccessError:
      return RetryBox("ファイルのパスが無効です。", "パスエラー");
    default:
      return {"予期せぬエラー(" + std::to_string(code) + ")が発生しました。" + kLineBreak + "続行を試みますか？",
              "想定外のエラー", DialogueChoice::Skip, DialogueChoice::EndProgram};
  }
}

}  // namespace velmora
