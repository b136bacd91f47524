#pragma once
// The soak run of lumivia-tour: switches through the lessons again and again and checks
// that nothing accumulates. Every lesson must leave the rendering core's resources and
// d3d9gl's live objects at the counts of its first visit, no GL error may be reported,
// and resident memory may grow by at most 2% between the second and the last cycle
// (the first cycle fills caches: shader programs, the font, the allocator's pools; memory
// is read as the lowest resident figure of a cycle, after the allocator trims), and
// closing the program must leave no d3d9gl object alive.

#include <cstddef>
#include <string>
#include <vector>

struct SoakSample_t
{
    std::size_t m_Resources = 0;
    unsigned m_LiveObjects = 0;
};

// Judges the samples as they come; pure, so it can be tested without an application.
class SoakLedger
{
public:
    static constexpr double MAX_RESIDENT_GROWTH = 0.02;

    // The counts while lesson `index` of the cycle runs; false (with a line in pFault)
    // when they differ from that lesson's first visit.
    bool Visit(int cycle, std::size_t index, const SoakSample_t& sample, std::string* pFault);
    // Resident bytes at the end of a cycle; false when the growth from the end of the
    // second cycle passes the limit.
    bool EndCycle(int cycle, std::size_t residentBytes, std::string* pFault);
    double GetResidentGrowth() const { return m_Growth; }

private:
    std::vector<SoakSample_t> m_FirstVisit;
    std::size_t m_SecondCycleResident = 0;
    double m_Growth = 0.0;
};

// Starts the application, runs `cycles` cycles through `lessons`, shuts it down (which
// must leave no d3d9gl object alive), prints a summary and returns the exit code.
int RunSoak(const std::vector<std::string>& lessons, int cycles);
