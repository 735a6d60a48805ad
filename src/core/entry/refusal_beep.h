#pragma once
// The beep with which the entry window refuses what cannot be done (the
// Annex 1 page while no party is ticked). The program sounds the platform's
// beep; tests count.

namespace talmorek::entry {

class Beep {
public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};

}  // namespace talmorek::entry
