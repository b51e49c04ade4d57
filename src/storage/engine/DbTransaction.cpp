#include "storage/engine/DbTransaction.h"
#include "storage/engine/Database.h"

DbTransaction::DbTransaction(Database& db)
    : m_db(db), m_joined(db.inTransaction()), m_started(m_joined || db.begin()) {}

DbTransaction::~DbTransaction() {
    if (m_started && !m_done && !m_joined)
        m_db.rollback();
}

bool DbTransaction::commit() {
    if (!m_started || m_done)
        return false;
    m_done = m_joined || m_db.commit();
    return m_done;
}
