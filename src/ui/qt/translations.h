#pragma once

class QCoreApplication;

// Qt's own Japanese texts (the standard buttons of message boxes), when installed.
// Answers whether they were found.
bool installJapaneseQtTexts(QCoreApplication& app);
