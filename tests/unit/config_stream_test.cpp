// Restoring configuration variables from the stream the player saved: every way the stream
// can be damaged restores what comes before the damage and leaves the rest as it was.
#include "sdk/cfg_var.h"
#include "settings/config_vars.h"

#include <gtest/gtest.h>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

cfg_int_t<int> testNumber({0x5b0e1a52, 0x2c1d, 0x4f4e, {0x9a, 0x11, 0x10, 0x22, 0x33, 0x44, 0x55, 0x01}}, 17);
cfg_int_t<bool> testFlag({0x5b0e1a52, 0x2c1d, 0x4f4e, {0x9a, 0x11, 0x10, 0x22, 0x33, 0x44, 0x55, 0x02}}, false);
cfg_string testText({0x5b0e1a52, 0x2c1d, 0x4f4e, {0x9a, 0x11, 0x10, 0x22, 0x33, 0x44, 0x55, 0x03}}, "start");
const GUID kUnknown = {0x5b0e1a52, 0x2c1d, 0x4f4e, {0x9a, 0x11, 0x10, 0x22, 0x33, 0x44, 0x55, 0xFF}};

// A variable with its default and a changed value, and a test for each.
struct Tracked {
    const cfg_var* var;
    std::function<void()> setDefault, setChanged;
    std::function<bool()> isDefault, isChanged;
};

std::vector<Tracked> TrackedVariables() {
    return {
        {&testNumber, [] { testNumber = 17; }, [] { testNumber = -123456; }, [] { return testNumber == 17; },
         [] { return testNumber == -123456; }},
        {&testFlag, [] { testFlag = false; }, [] { testFlag = true; }, [] { return !testFlag; },
         [] { return testFlag == true; }},
        {&testText, [] { testText = "start"; }, [] { testText = u8"changed – ♪"; }, [] { return testText == "start"; },
         [] { return testText == u8"changed – ♪"; }},
        {&cfg::VolumeSlider, [] { cfg::VolumeSlider = false; }, [] { cfg::VolumeSlider = true; },
         [] { return !cfg::VolumeSlider; }, [] { return cfg::VolumeSlider == true; }},
        {&cfg::Language, [] { cfg::Language = 0; }, [] { cfg::Language = 0x0407; }, [] { return cfg::Language == 0; },
         [] { return cfg::Language == 0x0407; }},
        {&cfg::BalloonFormat, [] { cfg::BalloonFormat = "*DEFAULT*"; },
         [] { cfg::BalloonFormat = "%title%\r\n%artist%"; }, [] { return cfg::BalloonFormat == "*DEFAULT*"; },
         [] { return cfg::BalloonFormat == "%title%\r\n%artist%"; }},
    };
}

class ByteWriter : public stream_writer {
public:
    void write(const void* buffer, t_size bytes, abort_callback&) override {
        const char* p = static_cast<const char*>(buffer);
        data.insert(data.end(), p, p + bytes);
    }
    std::vector<char> data;
};

// Gives the bytes and then ends, or (when told to) fails with an I/O error at their end.
class ByteReader : public stream_reader {
public:
    ByteReader(const std::vector<char>& bytes, size_t length, bool failAtEnd = false)
        : m_bytes(bytes), m_length(length), m_failAtEnd(failAtEnd) {}
    t_size read(void* buffer, t_size bytes, abort_callback&) override {
        if (m_failAtEnd && m_offset + bytes > m_length) throw exception_io("Read error");
        t_size n = std::min(bytes, m_length - m_offset);
        if (n) std::memcpy(buffer, m_bytes.data() + m_offset, n);
        m_offset += n;
        return n;
    }

private:
    const std::vector<char>& m_bytes;
    size_t m_length;
    size_t m_offset = 0;
    bool m_failAtEnd;
};

void Append(std::vector<char>& out, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    out.insert(out.end(), p, p + size);
}
void AppendRecord(std::vector<char>& out, const GUID& guid, const std::vector<char>& value) {
    Append(out, &guid, sizeof(guid));
    t_uint32 size = static_cast<t_uint32>(value.size());
    Append(out, &size, sizeof(size));
    Append(out, value.data(), value.size());
}
std::vector<char> IntValue(int value) {
    return std::vector<char>(reinterpret_cast<char*>(&value), reinterpret_cast<char*>(&value) + 4);
}

void Restore(const std::vector<char>& bytes, size_t length, bool failAtEnd = false) {
    ByteReader reader(bytes, length, failAtEnd);
    abort_callback_dummy abort;
    cfg_var::config_read_all(&reader, abort);
}

class ConfigStream : public testing::Test {
protected:
    ConfigStream() : tracked(TrackedVariables()) { ResetAll(); }
    ~ConfigStream() override { ResetAll(); }
    void ResetAll() {
        for (const Tracked& t : tracked) t.setDefault();
    }
    std::vector<char> SavedWithChanges() {
        for (const Tracked& t : tracked) t.setChanged();
        ByteWriter writer;
        abort_callback_dummy abort;
        cfg_var::config_write_all(&writer, abort);
        ResetAll();
        return writer.data;
    }
    // Where each tracked variable's record ends in a saved stream.
    std::vector<size_t> RecordEnds(const std::vector<char>& bytes) {
        std::vector<size_t> ends(tracked.size(), 0);
        size_t offset = 0;
        while (offset + 20 <= bytes.size()) {
            GUID guid;
            t_uint32 size;
            std::memcpy(&guid, &bytes[offset], 16);
            std::memcpy(&size, &bytes[offset + 16], 4);
            offset += 20 + size;
            for (size_t i = 0; i < tracked.size(); ++i)
                if (pfc::guid_equal(guid, tracked[i].var->get_guid())) ends[i] = offset;
        }
        return ends;
    }
    std::vector<Tracked> tracked;
};

TEST_F(ConfigStream, ASavedStreamRestoresEveryVariable) {
    std::vector<char> saved = SavedWithChanges();
    Restore(saved, saved.size());
    for (size_t i = 0; i < tracked.size(); ++i) EXPECT_TRUE(tracked[i].isChanged()) << "variable " << i;
}

TEST_F(ConfigStream, AStreamCutOrFailingAtAnyByteKeepsWhatCameBeforeAndDefaultsTheRest) {
    std::vector<char> saved = SavedWithChanges();
    std::vector<size_t> ends = RecordEnds(saved);
    for (size_t i = 0; i < tracked.size(); ++i) ASSERT_NE(ends[i], 0u) << "variable " << i << " is saved";
    for (bool failAtEnd : {false, true}) {
        for (size_t cut = 0; cut <= saved.size(); ++cut) {
            ResetAll();
            ASSERT_NO_THROW(Restore(saved, cut, failAtEnd)) << cut;
            for (size_t i = 0; i < tracked.size(); ++i) {
                bool restored = ends[i] <= cut;
                ASSERT_TRUE(restored ? tracked[i].isChanged() : tracked[i].isDefault())
                    << "variable " << i << ", cut at " << cut << (failAtEnd ? " (read error)" : "");
            }
        }
    }
}

TEST_F(ConfigStream, GarbageChangesNothing) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        std::vector<char> garbage(random() % 600);
        for (char& c : garbage) c = static_cast<char>(random());
        ASSERT_NO_THROW(Restore(garbage, garbage.size())) << "round " << round;
        for (const Tracked& t : tracked) ASSERT_TRUE(t.isDefault()) << "round " << round;
    }
}

TEST_F(ConfigStream, UnknownVariablesAndValuesOfAWrongSizeAreSkipped) {
    std::vector<char> stream;
    AppendRecord(stream, kUnknown, std::vector<char>(5000, 'x'));
    AppendRecord(stream, testNumber.get_guid(), {1, 2});
    AppendRecord(stream, testFlag.get_guid(), std::vector<char>(8, 1));
    AppendRecord(stream, cfg::Language.get_guid(), std::vector<char>(8, 1));
    AppendRecord(stream, kUnknown, {});
    AppendRecord(stream, testText.get_guid(), {'a', 'b', '\0', 'c'});
    AppendRecord(stream, cfg::VolumeSlider.get_guid(), {});
    AppendRecord(stream, testNumber.get_guid(), IntValue(42));
    Restore(stream, stream.size());
    EXPECT_EQ(testNumber, 42) << "records after skipped ones still count";
    EXPECT_FALSE(testFlag);
    EXPECT_EQ(cfg::Language, 0);
    EXPECT_FALSE(cfg::VolumeSlider);
    EXPECT_TRUE(testText == "ab");
}

TEST_F(ConfigStream, AFlagStoredAsAnyNonZeroByteIsTrue) {
    for (char stored : {'\x01', '\x02', '\x80', '\xFF'}) {
        std::vector<char> stream;
        AppendRecord(stream, testFlag.get_guid(), {stored});
        testFlag = false;
        Restore(stream, stream.size());
        EXPECT_EQ(static_cast<int>(testFlag.get_value()), 1) << int(stored);
    }
    std::vector<char> stream;
    AppendRecord(stream, testFlag.get_guid(), {'\0'});
    Restore(stream, stream.size());
    EXPECT_FALSE(testFlag) << 0;
}

TEST_F(ConfigStream, AnAbsurdSizeEndsTheRestore) {
    std::vector<char> stream;
    AppendRecord(stream, testNumber.get_guid(), IntValue(1));
    Append(stream, &kUnknown, sizeof(kUnknown));
    t_uint32 absurd = 0xFFFFFFF0u;
    Append(stream, &absurd, sizeof(absurd));
    AppendRecord(stream, testText.get_guid(), {'x'});
    Restore(stream, stream.size());
    EXPECT_EQ(testNumber, 1) << "an absurd size";
    EXPECT_TRUE(testText == "start");

    // A size that is allowed but runs past the end.
    stream.clear();
    Append(stream, &kUnknown, sizeof(kUnknown));
    t_uint32 large = 1u << 23;
    Append(stream, &large, sizeof(large));
    AppendRecord(stream, testNumber.get_guid(), IntValue(2));
    Restore(stream, stream.size());
    EXPECT_EQ(testNumber, 1) << "a size past the end";
}

} // namespace
