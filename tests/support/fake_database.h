#pragma once
// A database of tables made in the test, for code that reads tables by name.

#include "import/table_source.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Tables made in the test: names and rows by position.
class FakeDatabase : public TableSource {
public:
    struct Table {
        std::vector<std::string> names;
        std::vector<std::vector<std::string>> rows;
    };
    std::map<std::string, Table> tables;

    std::vector<std::string> fieldNames(const std::string& table) override { return get(table).names; }
    void forEachRow(const std::string& table, const RowVisitor& onRow) override
    {
        for (const auto& r : get(table).rows) onRow(r);
    }

private:
    const Table& get(const std::string& name)
    {
        auto it = tables.find(name);
        if (it == tables.end()) throw std::runtime_error("no table " + name);
        return it->second;
    }
};
