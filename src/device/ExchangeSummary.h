#pragma once

// Counts of the report-9 commands the device thread has exchanged.
struct ExchangeSummary {
    int accepted = 0;
    int dropped = 0;  // not accepted after four writes

    ExchangeSummary& operator+=(const ExchangeSummary& other)
    {
        accepted += other.accepted;
        dropped += other.dropped;
        return *this;
    }
    friend bool operator==(const ExchangeSummary&, const ExchangeSummary&) = default;
};
