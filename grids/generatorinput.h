#pragma once

#include <QString>

// What the generator screen checks and says, apart from the window.
namespace GeneratorInput {

inline constexpr int MaxGrids = 10000;

enum class CountCheck { Empty, TooMany, NotAWholeNumber, Ok };
CountCheck checkCount(const QString& text);
// The count rounded up to the next multiple of 4 (1 gives 4, 10 gives 12).
int adjustedCount(int count);

// A JJ/MM/AAAA text of digits that names a real calendar day.
bool isValidDate(const QString& text);

QString emptyCountText();
QString tooManyText();
QString notAWholeNumberText();
QString emptyDateAtLaunchText();
QString emptyDateOnEnterText();
QString dateFormatText();
QString confirmationText(int count, const QString& date);
QString alreadyExistsText(const QString& fullPath);
// Files of one draw whose names differ only by case: all are named, as all go.
QString alreadyExistTwinsText(const QStringList& fullPaths);
QString waitText();

} // namespace GeneratorInput
