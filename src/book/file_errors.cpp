#include "book/file_errors.h"

#include <string_view>

namespace pel {

namespace {

const char* TemplateOf(FileError cause) {
    switch (cause) {
        case FileError::kFileNotFound:
            return "没有找到 %1。";
        case FileError::kBadPath:
            return "%1 中包含无效的路径。";
        case FileError::kTooManyOpenFiles:
            return "无法打开 %1 因为太多文件已被打开。";
        case FileError::kAccessDenied:
            return "对 %1 的存取被拒绝。";
        case FileError::kInvalidFile:
            return "一个无效的文件柄与 %1 相关联。";
        case FileError::kDirectoryFull:
            return "该目录已满，无法创建 %1。";
        case FileError::kBadSeek:
            return "对 %1 进行查找失败。";
        case FileError::kHardIO:
            return "在存取 %1 时一个硬件输入/输出错误被报告。";
        case FileError::kSharingViolation:
            return "在存取 %1 时发生共享违例。";
        case FileError::kLockViolation:
            return "在存取 %1 时发生锁违例。";
        case FileError::kDiskFull:
            return "在存取 %1 时磁盘已满。";
        case FileError::kEndOfFile:
            return "试图越过其尾端对 %1 进行读写。";
        case FileError::kNone:
        case FileError::kGeneric:
            break;
    }
    return "在对 %1 进行访问时发生了一个不明错误。";
}

}  // namespace

std::string FileErrorText(FileError cause, const std::string& path) {
    const std::string_view text = TemplateOf(cause);
    const std::size_t at = text.find("%1");
    if (at == std::string_view::npos) return std::string(text);
    std::string message(text.substr(0, at));
    message += path;
    message += text.substr(at + 2);
    return message;
}

}  // namespace pel
