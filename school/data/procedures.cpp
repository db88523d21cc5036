#include "school/data/procedures.h"

bool EstPair(qint32 n)
{
    return (n & 1) == 0;
}
