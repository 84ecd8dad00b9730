#include "import/table_source.h"

#include <mdbtools.h>

#include <stdexcept>

namespace {

class AccessDatabase : public TableSource {
public:
    explicit AccessDatabase(const std::string& path) : path_(path)
    {
        mdb_ = mdb_open(path.c_str(), MDB_NOFLAGS);
        if (!mdb_) throw std::runtime_error("Cannot open the database " + path);
        mdb_set_date_fmt(mdb_, "%Y-%m-%d %H:%M:%S");
        if (!mdb_read_catalog(mdb_, MDB_TABLE)) {
            mdb_close(mdb_);
            throw std::runtime_error("Cannot open the database " + path);
        }
    }
    ~AccessDatabase() override { mdb_close(mdb_); }
    AccessDatabase(const AccessDatabase&) = delete;
    AccessDatabase& operator=(const AccessDatabase&) = delete;

    std::vector<std::string> fieldNames(const std::string& table) override
    {
        Table t(*this, table);
        std::vector<std::string> names;
        for (unsigned i = 0; i < t.def->num_cols; ++i)
            names.emplace_back(static_cast<MdbColumn*>(g_ptr_array_index(t.def->columns, i))->name);
        return names;
    }

    void forEachRow(const std::string& table, const RowVisitor& onRow) override
    {
        Table t(*this, table);
        const unsigned n = t.def->num_cols;
        std::vector<std::vector<char>> buffers(n, std::vector<char>(MDB_BIND_SIZE + 1));
        std::vector<int> lengths(n, 0);
        for (unsigned i = 0; i < n; ++i) mdb_bind_column(t.def, static_cast<int>(i) + 1, buffers[i].data(), &lengths[i]);
        mdb_rewind_table(t.def);
        std::vector<std::string> fields(n);
        while (mdb_fetch_row(t.def)) {
            for (unsigned i = 0; i < n; ++i) {
                // A null field binds nothing: its length is 0.
                const int len = std::min(std::max(lengths[i], 0), MDB_BIND_SIZE);
                fields[i].assign(buffers[i].data(), static_cast<std::size_t>(len));
            }
            onRow(fields);
        }
    }

private:
    // One opened table, closed again however the read ends.
    struct Table {
        Table(AccessDatabase& db, const std::string& name)
        {
            std::string n = name;
            def = mdb_read_table_by_name(db.mdb_, n.data(), MDB_TABLE);
            if (!def) throw std::runtime_error("No table " + name + " in " + db.path_);
            if (!mdb_read_columns(def)) {
                mdb_free_tabledef(def);
                throw std::runtime_error("Cannot read the table " + name + " in " + db.path_);
            }
        }
        ~Table() { mdb_free_tabledef(def); }
        Table(const Table&) = delete;
        Table& operator=(const Table&) = delete;
        MdbTableDef* def = nullptr;
    };

    std::string path_;
    MdbHandle* mdb_ = nullptr;
};

} // namespace

std::unique_ptr<TableSource> openAccessDatabase(const std::string& path)
{
    return std::make_unique<AccessDatabase>(path);
}
