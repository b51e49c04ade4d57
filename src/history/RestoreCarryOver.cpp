#include "history/RestoreCarryOver.h"

#include "history/ChangeLog.h"
#include "history/ManagerPassword.h"
#include "storage/engine/DbTransaction.h"

RestoreCarryOver::RestoreCarryOver(Database& current)
    : m_digest(ManagerPassword(current).digest()) {}

bool RestoreCarryOver::applyTo(Database& restored, const std::string& restoredFile,
                               const std::string& keptFile) const {
    DbTransaction transaction(restored);
    if (!transaction.started())
        return false;
    if (keepsPassword() && !ManagerPassword(restored).adopt(m_digest))
        return false;
    const ChangeLog::Entry entry{ChangeLog::Kind::Restore, "", "", "原数据已保存为：" + keptFile,
                                 "恢复自：" + restoredFile};
    return ChangeLog(restored).write(entry) && transaction.commit();
}
