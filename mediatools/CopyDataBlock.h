// Reading a fixed-size wire block out of a WM_COPYDATA message from another process.
#pragma once

#include <windows.h>
#include <cstring>

// Copies the block when the message carries the expected code and exactly the block's size;
// anything else is refused without reading the sender's bytes.
template <class Block>
bool ReadCopyDataBlock(const COPYDATASTRUCT* pcds, ULONG_PTR nCode, Block& block)
{
    if (pcds == nullptr || pcds->dwData != nCode || pcds->cbData != sizeof(Block) || pcds->lpData == nullptr)
        return false;
    memcpy(&block, pcds->lpData, sizeof(Block));
    return true;
}
