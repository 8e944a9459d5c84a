// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/USqlite.h"

#include <sqlite3.h>

TSqliteError::TSqliteError(int code, int systemError, const std::string& message)
    : std::runtime_error(message), FCode(code), FSystemError(systemError) {}

bool TSqliteError::Damaged() const {
    return PrimaryCode() == SQLITE_CORRUPT || PrimaryCode() == SQLITE_NOTADB;
}

TSqlite::TSqlite(const std::filesystem::path& path, TOpen mode) {
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case TOpen::ReadWriteCreate:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    case TOpen::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case TOpen::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    }
    int code = sqlite3_open_v2(path.c_str(), &FDb, flags, nullptr);
    if (code != SQLITE_OK) {
        // A failed open still gives a handle that holds the reason, and must be closed.
        TSqliteError error(FDb ? sqlite3_extended_errcode(FDb) : code,
                           FDb ? sqlite3_system_errno(FDb) : 0,
                           FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(code));
        sqlite3_close(FDb);
        FDb = nullptr;
        throw error;
    }
    sqlite3_extended_result_codes(FDb, 1);
}

TSqlite::~TSqlite() {
    // Every statement is finalized by its owner before the connection goes, the kept ones here.
    FCached.clear();
    sqlite3_close(FDb);
}

TStatement& TSqlite::Cached(std::string_view sql) {
    auto it = FCached.find(std::string(sql));
    if (it != FCached.end()) {
        // A statement a failure left half run is made ready again too.
        it->second->Rewind();
        return *it->second;
    }
    auto statement = std::make_unique<TStatement>(*this, sql);
    return *FCached.emplace(std::string(sql), std::move(statement)).first->second;
}

void TSqlite::Fail(int code) const {
    int extended = sqlite3_extended_errcode(FDb);
    throw TSqliteError(extended != SQLITE_OK ? extended : code, sqlite3_system_errno(FDb),
                       sqlite3_errmsg(FDb));
}

void TSqlite::Exec(const char* sql) {
    int code = sqlite3_exec(FDb, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK)
        Fail(code);
}

std::int64_t TSqlite::QueryInt(const char* sql) {
    TStatement statement(*this, sql);
    return statement.Step() ? statement.Int(0) : 0;
}

std::int64_t TSqlite::LastInsertRowId() const {
    return sqlite3_last_insert_rowid(FDb);
}

TStatement::TStatement(TSqlite& db, std::string_view sql) : FDb(db) {
    int code =
        sqlite3_prepare_v2(db.Handle(), sql.data(), static_cast<int>(sql.size()), &FStmt, nullptr);
    if (code != SQLITE_OK)
        db.Fail(code);
}

TStatement::~TStatement() {
    sqlite3_finalize(FStmt);
}

TStatement& TStatement::Bind(int index, std::int64_t value) {
    int code = sqlite3_bind_int64(FStmt, index, value);
    if (code != SQLITE_OK)
        FDb.Fail(code);
    return *this;
}

TStatement& TStatement::BindText(int index, std::string_view utf8) {
    int code =
        sqlite3_bind_text64(FStmt, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (code != SQLITE_OK)
        FDb.Fail(code);
    return *this;
}

TStatement& TStatement::BindBlob(int index, std::string_view bytes) {
    // A zero-length blob is bound as an empty blob, not as NULL.
    int code = sqlite3_bind_blob64(FStmt, index, bytes.empty() ? "" : bytes.data(), bytes.size(),
                                   SQLITE_TRANSIENT);
    if (code != SQLITE_OK)
        FDb.Fail(code);
    return *this;
}

TStatement& TStatement::BindNull(int index) {
    int code = sqlite3_bind_null(FStmt, index);
    if (code != SQLITE_OK)
        FDb.Fail(code);
    return *this;
}

bool TStatement::Step() {
    int code = sqlite3_step(FStmt);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    // The statement must be reset before it can run again; the error stays on the connection.
    sqlite3_reset(FStmt);
    FDb.Fail(code);
}

void TStatement::Run() {
    while (Step()) {
    }
    Reset();
}

void TStatement::Reset() {
    sqlite3_reset(FStmt);
}

void TStatement::Rewind() {
    sqlite3_reset(FStmt);
    sqlite3_clear_bindings(FStmt);
}

bool TStatement::IsNull(int column) const {
    return sqlite3_column_type(FStmt, column) == SQLITE_NULL;
}

std::int64_t TStatement::Int(int column) const {
    return sqlite3_column_int64(FStmt, column);
}

std::string TStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(FStmt, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(FStmt, column)))
                : std::string();
}

std::string TStatement::Blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(FStmt, column));
    return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(FStmt, column)))
                 : std::string();
}

TTransaction::TTransaction(TSqlite& db) : FDb(db) {
    FDb.Exec("BEGIN IMMEDIATE");
}

TTransaction::~TTransaction() {
    if (FOpen)
        sqlite3_exec(FDb.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void TTransaction::Commit() {
    FDb.Exec("COMMIT");
    FOpen = false;
}
