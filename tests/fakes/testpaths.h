#pragma once

#include <QString>

#include <string>

// Where a test reads the files the build lays beside the program (template,
// report definition, help) and the damaged-file fixtures. A test that gives
// root's rights up reads them from copies of its own.
namespace TestPaths {
inline std::string builtDir = NUMERELLA_BIN;
inline std::string fixturesDir = NUMERELLA_FIXTURES;

inline QString built(const QString& name)
{
    return QString::fromStdString(builtDir) + u'/' + name;
}
inline QString fixture(const QString& name)
{
    return QString::fromStdString(fixturesDir) + u'/' + name;
}
} // namespace TestPaths
