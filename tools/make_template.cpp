// Makes the template grid file (Loto1.dat) from its readable schema:
//   make_template SCHEMA.sql OUTPUT.dat
#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCHEMA.sql OUTPUT.dat\n", argv[0]);
        return 2;
    }
    std::ifstream schemaFile(argv[1]);
    std::stringstream schema;
    schema << schemaFile.rdbuf();
    if (!schemaFile || schema.str().empty()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const std::filesystem::path output = argv[2];
    const std::filesystem::path scratch = output.string() + ".new";
    std::filesystem::remove(scratch);
    try {
        {
            SQLite::Database db(scratch.string(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
            db.exec(schema.str());
            db.exec("VACUUM");
        }
        std::filesystem::rename(scratch, output);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        std::filesystem::remove(scratch);
        return 1;
    }
    return 0;
}
