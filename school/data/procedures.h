#pragma once

#include <QString>

// Small procedures that several school windows share.

// True when the lowest bit is 0 (0 and negative even numbers included).
bool EstPair(qint32 n);
