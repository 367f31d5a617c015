#pragma once
// A prepared SQLite statement, finalized with its scope; a statement that could not be prepared
// steps to an error.

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace lumarc {

class TStatement {
public:
    TStatement(sqlite3* db, const char* sql)
    {
        if (db)
            sqlite3_prepare_v2(db, sql, -1, &FStatement, nullptr);
    }
    ~TStatement() { sqlite3_finalize(FStatement); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    bool Ok() const { return FStatement != nullptr; }
    TStatement& Bind(int index, const std::string& text)
    {
        sqlite3_bind_text(FStatement, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    TStatement& Bind(int index, int64_t value)
    {
        sqlite3_bind_int64(FStatement, index, value);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step() { return FStatement ? sqlite3_step(FStatement) : SQLITE_ERROR; }
    std::string Text(int column) const
    {
        const unsigned char* text = sqlite3_column_text(FStatement, column);
        return text ? std::string(reinterpret_cast<const char*>(text)) : std::string();
    }
    int64_t Int(int column) const { return sqlite3_column_int64(FStatement, column); }
    bool IsNull(int column) const { return sqlite3_column_type(FStatement, column) == SQLITE_NULL; }
    TStatement& BindNull(int index)
    {
        sqlite3_bind_null(FStatement, index);
        return *this;
    }

private:
    sqlite3_stmt* FStatement = nullptr;
};

}  // namespace lumarc
