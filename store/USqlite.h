// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A thin owner of SQLite's C API: a connection, prepared statements and a transaction, each
// released when it goes out of scope, and every failure thrown as TSqliteError with SQLite's
// own result code, so that callers can tell a full disk from a damaged file.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;
class TStatement;

class TSqliteError : public std::runtime_error {
public:
    // `code` is SQLite's extended result code; `systemError` the errno behind an I/O failure,
    // 0 when there is none.
    TSqliteError(int code, int systemError, const std::string& message);

    int Code() const { return FCode; }
    // The primary result code (SQLITE_FULL, SQLITE_CORRUPT …) without the extended bits.
    int PrimaryCode() const { return FCode & 0xff; }
    int SystemError() const { return FSystemError; }
    // The file is no database, or a damaged one.
    bool Damaged() const;

private:
    int FCode;
    int FSystemError;
};

class TSqlite {
public:
    enum class TOpen { ReadWriteCreate, ReadWrite, ReadOnly };

    // Opens the database at `path`. Throws TSqliteError when it cannot be opened.
    TSqlite(const std::filesystem::path& path, TOpen mode);
    ~TSqlite();
    TSqlite(const TSqlite&) = delete;
    TSqlite& operator=(const TSqlite&) = delete;

    // Runs one or more statements that return no rows.
    void Exec(const char* sql);
    // The single integer a statement such as "PRAGMA user_version" returns.
    std::int64_t QueryInt(const char* sql);
    std::int64_t LastInsertRowId() const;
    // The statement for `sql`, prepared at its first use on this connection and kept, ready to
    // run with nothing bound: what is written at every string's end is not parsed anew each
    // time. The statement stays the connection's; it is not to be used by two callers at once.
    TStatement& Cached(std::string_view sql);
    // Throws the connection's last error as TSqliteError, `code` being the failed call's result.
    [[noreturn]] void Fail(int code) const;

    sqlite3* Handle() const { return FDb; }

private:
    std::unordered_map<std::string, std::unique_ptr<TStatement>> FCached;
    sqlite3* FDb = nullptr;
};

// A prepared statement. Parameters are bound by 1-based index; columns read by 0-based index.
class TStatement {
public:
    TStatement(TSqlite& db, std::string_view sql);
    ~TStatement();
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    TStatement& Bind(int index, std::int64_t value);
    TStatement& Bind(int index, int value) { return Bind(index, static_cast<std::int64_t>(value)); }
    TStatement& BindText(int index, std::string_view utf8);
    TStatement& BindBlob(int index, std::string_view bytes);
    TStatement& BindNull(int index);

    // Runs the statement to its next row: true with a row to read, false when it is done.
    bool Step();
    // Runs a statement that returns no rows, then makes it ready to run again with new values.
    void Run();
    // Makes the statement ready to run again; bindings stay.
    void Reset();
    // Makes the statement ready to run again with nothing bound.
    void Rewind();

    bool IsNull(int column) const;
    std::int64_t Int(int column) const;
    std::string Text(int column) const;
    std::string Blob(int column) const;

private:
    TSqlite& FDb;
    sqlite3_stmt* FStmt = nullptr;
};

// BEGIN IMMEDIATE at construction; rolled back at destruction unless committed.
class TTransaction {
public:
    explicit TTransaction(TSqlite& db);
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;

    void Commit();

private:
    TSqlite& FDb;
    bool FOpen = true;
};
