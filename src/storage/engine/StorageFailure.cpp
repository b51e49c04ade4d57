#include "storage/engine/StorageFailure.h"

namespace StorageFailures {

std::string reason(StorageFailure failure) {
    switch (failure) {
    case StorageFailure::DiskFull:
        return "磁盘空间已满，请清理磁盘后重试";
    case StorageFailure::ReadOnly:
        return "数据文件夹或数据库文件是只读的，无法写入，请检查它的权限";
    case StorageFailure::Damaged:
        return "数据库文件已损坏";
    case StorageFailure::Busy:
        return "数据库正被其他程序使用，请稍后重试";
    case StorageFailure::NulInText:
        return "内容中含有无法保存的空字符（NUL），请删除后重试";
    case StorageFailure::Disconnected:
        return "与数据库服务器的连接已断开，请检查网络和服务器后重试";
    case StorageFailure::None:
    case StorageFailure::Statement:
    case StorageFailure::NotOpen:
        break;
    }
    return {};
}

std::string failed(const std::string& what, StorageFailure failure, const std::string& unchanged) {
    const std::string why = reason(failure);
    return what + (why.empty() ? "失败，" : "失败：" + why + "。") + unchanged;
}

std::string nulRefusal(std::initializer_list<Field> fields) {
    for (const auto& [caption, text] : fields)
        if (text->find('\0') != std::string::npos)
            return std::string("“") + caption + "”中含有无法保存的空字符（NUL），请删除后重试。";
    return {};
}

} // namespace StorageFailures
