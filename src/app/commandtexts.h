#pragma once

#include <QString>

// The texts of Help and About, lines joined by CR LF with none at the end.
QString helpText();
QString aboutText();
