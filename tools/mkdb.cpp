// Builds a database file from SQL scripts: mkdb OUT.mdb SCRIPT.sql... [--sti PATH]
// --sti writes PATH as the chosen bookingfile into the table stitabel of OUT.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

static bool run(sqlite3 *db, const std::string &sql, const char *what)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "mkdb: %s: %s\n", what, err ? err : "unknown error");
        sqlite3_free(err);
        return false;
    }
    return true;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: mkdb OUT.mdb SCRIPT.sql... [--sti PATH]\n");
        return 2;
    }
    const std::string out = argv[1];
    std::vector<std::string> scripts;
    std::string sti;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sti" && i + 1 < argc)
            sti = argv[++i];
        else
            scripts.push_back(arg);
    }
    std::remove(out.c_str());
    const std::string tmp = out + ".tmp";
    std::remove(tmp.c_str());
    sqlite3 *db = nullptr;
    if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "mkdb: cannot create %s\n", tmp.c_str());
        return 1;
    }
    bool ok = run(db, "BEGIN", "begin");
    for (const std::string &path : scripts) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "mkdb: cannot read %s\n", path.c_str());
            ok = false;
            break;
        }
        std::stringstream text;
        text << in.rdbuf();
        if (!(ok = run(db, text.str(), path.c_str())))
            break;
    }
    if (ok && !sti.empty()) {
        sqlite3_stmt *stmt = nullptr;
        ok = sqlite3_prepare_v2(db, "UPDATE stitabel SET sti = ?", -1, &stmt, nullptr) == SQLITE_OK
             && sqlite3_bind_text(stmt, 1, sti.c_str(), -1, SQLITE_TRANSIENT) == SQLITE_OK
             && sqlite3_step(stmt) == SQLITE_DONE;
        sqlite3_finalize(stmt);
        if (!ok)
            std::fprintf(stderr, "mkdb: cannot write stitabel: %s\n", sqlite3_errmsg(db));
    }
    ok = ok && run(db, "COMMIT", "commit");
    sqlite3_close(db);
    if (!ok) {
        std::remove(tmp.c_str());
        return 1;
    }
    return std::rename(tmp.c_str(), out.c_str()) == 0 ? 0 : 1;
}
