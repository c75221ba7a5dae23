#pragma once

#include "seriesrecord.h"

#include <QByteArray>

// A recorded series as a table for spreadsheets set to French: UTF-8 with a
// byte order mark, ';' between fields, one row per event.
QByteArray seriesCsv(const RecordedSeries& series);
