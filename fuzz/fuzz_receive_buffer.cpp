// The receive ring against a plain string model: appends, tentative reads of
// bytes and lines, marks and commits in any order must give the model's bytes.
#include "receivebuffer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace
{

// What the ring should hold: the committed unread bytes, and how far the
// current tentative read has got into them.
struct Model {
    std::string pending;
    std::size_t tentative = 0;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The model's answer to hasEmptyLineAhead.
bool hasEmptyLine(const std::string& ahead)
{
    return ahead.rfind("\n", 0) == 0 || ahead.rfind("\r\n", 0) == 0 || ahead.find("\n\n") != std::string::npos
        || ahead.find("\n\r\n") != std::string::npos;
}

enum class Step { Append, Mark, ReadBytes, ReadLine, LookForEmptyLine, Commit, kMaxValue = Commit };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const qint64 capacity = input.ConsumeIntegralInRange<qint64>(2, 512);
    ReceiveBuffer ring(capacity);
    Model model;
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeEnum<Step>()) {
        case Step::Append: {
            const std::string bytes = input.ConsumeRandomLengthString(2 * capacity);
            const bool fits = model.pending.size() + bytes.size() <= static_cast<std::size_t>(capacity - 1);
            bool appended = true;
            try {
                ring.append(bytes.data(), static_cast<qint64>(bytes.size()));
            } catch (const std::exception&) {
                appended = false;
            }
            check(appended == fits);
            if (appended)
                model.pending += bytes;
            // Reads see what was there at the last mark; the decoder always marks first.
            ring.mark();
            model.tentative = 0;
            break;
        }
        case Step::Mark:
            ring.mark();
            model.tentative = 0;
            break;
        case Step::ReadBytes: {
            const std::size_t wanted = input.ConsumeIntegralInRange<std::size_t>(0, 2 * capacity);
            std::vector<char> out(wanted + 1);
            const qint64 count = ring.readBytes(out.data(), static_cast<qint64>(wanted));
            const std::string expected = model.pending.substr(model.tentative, wanted);
            check(count == static_cast<qint64>(expected.size()));
            check(expected.compare(0, expected.size(), out.data(), expected.size()) == 0);
            model.tentative += expected.size();
            break;
        }
        case Step::ReadLine: {
            const QByteArray line = ring.readLine();
            const std::size_t lf = model.pending.find('\n', model.tentative);
            const std::string expected
                = lf == std::string::npos ? std::string() : model.pending.substr(model.tentative, lf + 1 - model.tentative);
            check(line.toStdString() == expected);
            model.tentative += expected.size();
            break;
        }
        case Step::LookForEmptyLine:
            check(ring.hasEmptyLineAhead() == hasEmptyLine(model.pending.substr(model.tentative)));
            break;
        case Step::Commit:
            ring.commit();
            model.pending.erase(0, model.tentative);
            model.tentative = 0;
            break;
        }
    }
    return 0;
}
