// The start-up modem probe on a machine without a modem: sixteen absent devices,
// sixteen devices that open but never answer, and this machine's own device names.
#include "support/benchsupport.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "dialer/modemprobe.h"
#include "dialer/portserialline.h"
#include "dialer/telephone.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace {

// A serial device that opens and never answers, on a pseudo-terminal.
class SilentDevice
{
public:
    SilentDevice()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        m_name = QString::fromLocal8Bit(ptsname(m_master));
        m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }
    ~SilentDevice()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
    }
    SilentDevice(const SilentDevice &) = delete;
    SilentDevice &operator=(const SilentDevice &) = delete;

    const QString &name() const { return m_name; }
    // Throws away what the probe sent, so the terminal's buffer never fills.
    void drain()
    {
        char buffer[256];
        while (::read(m_master, buffer, sizeof buffer) > 0) {
        }
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_name;
};

struct Machine
{
    QTemporaryDir dir;
    std::vector<std::unique_ptr<SilentDevice>> devices;
    QStringList names;

    void drain()
    {
        for (auto &device : devices)
            device->drain();
    }
    dialer::SerialLineFactory lines() const
    {
        return dialer::PortSerialLine::factory(
            [names = names](int port) { return names.value(port - 1); });
    }
};

std::unique_ptr<Machine> absentDevices()
{
    auto machine = std::make_unique<Machine>();
    for (int port = dialer::FirstSerialPort; port <= dialer::LastSerialPort; ++port)
        machine->names << machine->dir.path() + "/absent" + QString::number(port);
    return machine;
}

std::unique_ptr<Machine> silentDevices()
{
    auto machine = std::make_unique<Machine>();
    for (int port = dialer::FirstSerialPort; port <= dialer::LastSerialPort; ++port) {
        machine->devices.push_back(std::make_unique<SilentDevice>());
        machine->names << machine->devices.back()->name();
    }
    return machine;
}

// The default names as on this machine. The system console is skipped by the line
// itself; any other device that exists is stood in for by a silent one, so the
// benchmark never writes to real hardware.
std::unique_ptr<Machine> thisMachine(int &present)
{
    auto machine = std::make_unique<Machine>();
    const QStringList consoles = dialer::SystemConsoles();
    present = 0;
    for (int port = dialer::FirstSerialPort; port <= dialer::LastSerialPort; ++port) {
        const QString device = dialer::DefaultSerialDeviceName(port);
        if (QFileInfo::exists(device) && !dialer::IsSystemConsole(device, consoles)) {
            ++present;
            machine->devices.push_back(std::make_unique<SilentDevice>());
            machine->names << machine->devices.back()->name();
        } else {
            machine->names << device;
        }
    }
    return machine;
}

void runDetectModem(benchmark::State &state, Machine &machine)
{
    DataFolder data(machine.dir.path());
    ApplicationState appState;
    for (auto _ : state) {
        dialer::Telephone telephone(data, appState, machine.lines());
        telephone.DetectModem();
        benchmark::DoNotOptimize(appState.modemFound);
        state.PauseTiming();
        machine.drain();
        state.ResumeTiming();
    }
    if (appState.modemFound)
        state.SkipWithError("a modem answered");
}

void BM_DetectModemAllAbsent(benchmark::State &state)
{
    const auto machine = absentDevices();
    runDetectModem(state, *machine);
}
BENCHMARK(BM_DetectModemAllAbsent)->Unit(benchmark::kMicrosecond);

void BM_DetectModemSixteenSilent(benchmark::State &state)
{
    const auto machine = silentDevices();
    runDetectModem(state, *machine);
}
BENCHMARK(BM_DetectModemSixteenSilent)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DetectModemThisMachine(benchmark::State &state)
{
    int present = 0;
    const auto machine = thisMachine(present);
    runDetectModem(state, *machine);
    state.counters["devices_standing_in"] = present;
}
BENCHMARK(BM_DetectModemThisMachine)->Unit(benchmark::kMicrosecond);

} // namespace

PELMOR_BENCHMARK_MAIN(QCoreApplication)
