#pragma once

// Counts of the report-9 commands the device thread has exchanged.
struct ExchangeSummary {
    int accepted = 0;
    int dropped = 0;  // not accepted after four writes
    int unsent = 0;   // never written: no interface reached the mouse when it was due

    ExchangeSummary& operator+=(const ExchangeSummary& other)
    {
        accepted += other.accepted;
        dropped += other.dropped;
        unsent += other.unsent;
        return *this;
    }
    friend bool operator==(const ExchangeSummary&, const ExchangeSummary&) = default;
};
