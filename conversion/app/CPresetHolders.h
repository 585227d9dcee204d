// CPresetHolders: whoever holds presets of the format table outside the format manager (the
// task pages). A reset replaces a format's presets, which it refuses while one is held: the
// holders let go of theirs before and take them again, by name, after. After a delete they
// take their lists again, so that no list offers a preset that is gone.
#pragma once

class CPresetHolders {
public:
    // Lets go of every held preset; each holder keeps the name of its own.
    virtual void ReleasePresets() = 0;
    // Takes the presets again from the table as it is now and refills the lists.
    virtual void RefreshPresets() = 0;

protected:
    ~CPresetHolders() = default;
};
