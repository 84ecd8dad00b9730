#pragma once
// Read access to the tables of a database file: a table opened by its name,
// its rows read in table order with every field as text, by position. The
// N1MM Logger import works on this interface alone, so that tests can give
// it tables of their own.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TableSource {
public:
    virtual ~TableSource() = default;
    using RowVisitor = std::function<void(const std::vector<std::string>& fields)>;
    // The names of the table's fields, by position. Throws std::runtime_error
    // when the table cannot be opened.
    virtual std::vector<std::string> fieldNames(const std::string& table) = 0;
    // Calls onRow for every row in table order. Throws std::runtime_error when
    // the table cannot be opened.
    virtual void forEachRow(const std::string& table, const RowVisitor& onRow) = 0;
};

// An Access (Jet) database file, read-only. Date-time fields come as
// "yyyy-mm-dd hh:mm:ss". Throws std::runtime_error naming the file when it
// cannot be opened as a database.
std::unique_ptr<TableSource> openAccessDatabase(const std::string& path);
