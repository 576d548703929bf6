// The controller singleton: built on first use, and built again after a failed attempt.
// Its own executable, since the singleton lives for the whole process.
#include "tests/support/call_stack.h"
#include "host/titleformat.h"
#include "controller/Trelvane.h"
#include "controller/tooltip_script.h"
#include "tests/support/in_process_host.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A compiler that refuses the patterns it is told to refuse and records what it was asked.
class PickyCompiler : public titleformat_compiler {
public:
    std::vector<std::string> refused;
    std::vector<std::string> asked;
    service_ptr_t<titleformat_compiler> real;
    bool compile(service_ptr_t<titleformat_object>& out, const char* pattern) override {
        asked.push_back(pattern);
        for (const std::string& r : refused)
            if (r == pattern) return false;
        return real->compile(out, pattern);
    }
};

TEST(ControllerInstance, FailedConstructionsLeaveItUnbuiltUntilOneSucceeds) {
    InProcessHost stand_in;
    service_ptr_t<service_base> original;
    ASSERT_TRUE(stand_in.host.CreateService(original, titleformat_compiler::class_guid, 0));
    service_ptr_t<titleformat_compiler> real;
    ASSERT_TRUE(original.cast(real));

    auto* picky = new service_impl_t<PickyCompiler>();
    service_ptr_t<titleformat_compiler> pickyRef(picky);
    picky->real = real;
    picky->refused = {"[%artist% - ]%title%", "%filename%"};
    stand_in.host.UnregisterServices(titleformat_compiler::class_guid);
    stand_in.host.RegisterService(titleformat_compiler::class_guid, pickyRef);

    // Neither pattern compiles: the SDK's bug-check exception, and no controller.
    try {
        Trelvane::Instance();
        FAIL() << "expected a bug check";
    } catch (const pfc::exception_bug_check_v2& e) {
        EXPECT_STREQ(e.what(), "Bug check");
    }
    EXPECT_EQ(picky->asked, (std::vector<std::string>{"[%artist% - ]%title%", "%filename%"})) << "neither compiles";
    EXPECT_EQ(OpenScopeCount(), 0u);

    // No compiler at all: the lookup's own error passes through.
    stand_in.host.UnregisterServices(titleformat_compiler::class_guid);
    EXPECT_THROW(Trelvane::Instance(), exception_service_not_found);

    // Two compilers: the lookup refuses to choose.
    stand_in.host.RegisterService(titleformat_compiler::class_guid, pickyRef);
    stand_in.host.RegisterService(titleformat_compiler::class_guid, real);
    try {
        Trelvane::Instance();
        FAIL() << "expected a duplicated service";
    } catch (const pfc::exception& e) {
        EXPECT_STREQ(e.what(), "Service duplicated");
    }

    // Only the fallback compiles: the next call builds the controller with it.
    stand_in.host.UnregisterServices(titleformat_compiler::class_guid);
    stand_in.host.RegisterService(titleformat_compiler::class_guid, pickyRef);
    picky->refused = {"[%artist% - ]%title%"};
    picky->asked.clear();
    Trelvane& controller = Trelvane::Instance();
    EXPECT_EQ(picky->asked, (std::vector<std::string>{"[%artist% - ]%title%", "%filename%"}))
        << "the fallback compiles";
    ASSERT_TRUE(TooltipScript().is_valid());
    EXPECT_EQ(fb2k_host::ScriptSource(TooltipScript().get_ptr()), "%filename%");

    // From then on the same object, without compiling again.
    picky->asked.clear();
    EXPECT_EQ(&Trelvane::Instance(), &controller);
    EXPECT_TRUE(picky->asked.empty());
}

} // namespace
