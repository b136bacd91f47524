#include "toursoak.h"

#include "tourlessons.h"

#include "main/appdriver.h"

#include "base/source/system/logger.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace
{
constexpr int FRAMES_PER_VISIT = 3;

// AddressSanitizer's quarantine keeps freed memory resident, so there the resident figure
// says nothing and the leak checker watches the memory instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool RESIDENT_MEMORY_MEANINGFUL = false;
#else
constexpr bool RESIDENT_MEMORY_MEANINGFUL = true;
#endif

// Resident memory once the allocator has given its free pages back: without the trim the
// figure jumps by megabytes with the allocator's own bookkeeping from cycle to cycle.
std::size_t ResidentBytes()
{
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    std::size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}
} // namespace

bool SoakLedger::Visit(int cycle, std::size_t index, const SoakSample_t& sample,
                       std::string* pFault)
{
    if (index >= m_FirstVisit.size())
    {
        m_FirstVisit.resize(index + 1);
    }
    if (cycle == 0)
    {
        m_FirstVisit[index] = sample;
        return true;
    }
    const SoakSample_t& first = m_FirstVisit[index];
    if (sample.m_Resources == first.m_Resources && sample.m_LiveObjects == first.m_LiveObjects)
    {
        return true;
    }
    *pFault = "cycle " + std::to_string(cycle + 1) + ": resources " +
              std::to_string(sample.m_Resources) + " (first visit " +
              std::to_string(first.m_Resources) + "), live objects " +
              std::to_string(sample.m_LiveObjects) + " (first visit " +
              std::to_string(first.m_LiveObjects) + ")";
    return false;
}

bool SoakLedger::EndCycle(int cycle, std::size_t residentBytes, std::string* pFault)
{
    if (cycle == 1)
    {
        m_SecondCycleResident = residentBytes;
    }
    if (cycle < 1 || m_SecondCycleResident == 0)
    {
        return true;
    }
    m_Growth =
        static_cast<double>(residentBytes) / static_cast<double>(m_SecondCycleResident) - 1.0;
    if (m_Growth <= MAX_RESIDENT_GROWTH)
    {
        return true;
    }
    *pFault =
        "resident memory grew by " + std::to_string(m_Growth * 100.0) + "% since the second cycle";
    return false;
}

namespace
{
// The cycles themselves; returns the number of faults, or -1 when a row can not be reached.
int RunCycles(AppDriver& driver, const std::vector<std::string>& lessons, int cycles,
              SoakLedger& ledger)
{
    int faults = 0;
    std::string fault;
    for (int cycle = 0; cycle < cycles; ++cycle)
    {
        // The cycle's floor: what stays resident whichever lesson runs. A leak raises it;
        // one lesson's working memory, given back when it goes, does not.
        std::size_t floor = SIZE_MAX;
        for (std::size_t i = 0; i < lessons.size(); ++i)
        {
            double switchMs = 0.0;
            if (!OpenLesson(driver, lessons[i], &switchMs))
            {
                std::fprintf(stderr, "lumivia-tour: cannot reach the row of \"%s\"\n",
                             lessons[i].c_str());
                return -1;
            }
            driver.RunFrames(FRAMES_PER_VISIT);
            floor = std::min(floor, ResidentBytes());
            const SoakSample_t sample{LiveResourceCount(driver), LiveObjectCount(driver)};
            if (!ledger.Visit(cycle, i, sample, &fault))
            {
                std::fprintf(stderr, "soak: %s: %s\n", lessons[i].c_str(), fault.c_str());
                ++faults;
            }
        }
        if (RESIDENT_MEMORY_MEANINGFUL && !ledger.EndCycle(cycle, floor, &fault))
        {
            std::fprintf(stderr, "soak: %s\n", fault.c_str());
            ++faults;
        }
    }
    if (driver.GetGLErrorCount() > 0)
    {
        std::fprintf(stderr, "soak: %u GL errors\n", driver.GetGLErrorCount());
        ++faults;
    }
    return faults;
}
} // namespace

int RunSoak(const std::vector<std::string>& lessons, int cycles)
{
    SoakLedger ledger;
    // The device reports objects left alive when it is released.
    Halvex::Base::DiagnosticCapture capture;
    int faults = 0;
    {
        AppDriver driver;
        if (!driver.Start())
        {
            return 1;
        }
        driver.RunFrames(1);
        faults = RunCycles(driver, lessons, cycles, ledger);
        if (faults < 0)
        {
            return 1;
        }
    }
    const bool leaked = capture.Logged("still alive when the device was released");
    faults += leaked ? 1 : 0;
    char growth[96] = "resident memory not measured under AddressSanitizer";
    if (RESIDENT_MEMORY_MEANINGFUL)
    {
        std::snprintf(growth, sizeof(growth),
                      "resident memory %+.2f%% from the second cycle to the last",
                      ledger.GetResidentGrowth() * 100.0);
    }
    std::printf("soak: %d cycles through %zu lessons, %s, %s at exit, %d faults\n", cycles,
                lessons.size(), growth,
                leaked ? "device objects left alive" : "no device object left", faults);
    return faults == 0 ? 0 : 1;
}
