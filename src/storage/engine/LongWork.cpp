#include "storage/engine/LongWork.h"
#include "storage/engine/Database.h"

LongWork::LongWork(Database& db) : m_db(db) {
    m_db.setLongWork(true);
}

LongWork::~LongWork() {
    m_db.setLongWork(false);
}
