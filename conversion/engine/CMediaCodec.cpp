#include "conversion/engine/CMediaCodec.h"

int CMediaCodec::PickScalar(const CValueList<int>& list, bool anyValue, int lo, int hi, int defaultValue,
    int requested, int source)
{
    int value = requested;
    if (!anyValue && (list.GetSize() == 0 || !list.Contains(value)))
        value = defaultValue;
    if (value == 0) {
        // Auto keeps the source's value unless that lies outside the bounds.
        if (lo > 0 && source < lo)
            value = lo;
        if (hi > 0 && source > hi)
            value = hi;
    }
    if (value <= 0)
        return value;
    if (lo > 0 && value < lo)
        value = lo;
    if (hi > 0 && value > hi)
        value = hi;
    return value;
}
