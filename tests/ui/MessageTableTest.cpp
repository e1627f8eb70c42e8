// Message tables: rows chained from a class to its base, the first match wins.
#include <gtest/gtest.h>

#include <string>

#include "fw/CmdTarget.h"

namespace {

constexpr UINT ID_A = 100;
constexpr UINT ID_B = 101;
constexpr UINT WM_PROBE = 0x0400;

class Base : public CCmdTarget {
  public:
    std::string log;

    const fw::MessageTable* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageTable* GetThisMessageMap() {
        static constexpr fw::MessageRow rows[] = {
            fw::OnClicked<&Base::OnA>(ID_A),
            fw::OnClicked<&Base::OnB>(ID_B),
            fw::OnMessage<&Base::OnProbe>(WM_PROBE),
        };
        static const fw::MessageTable table{CCmdTarget::GetThisMessageMap(), rows};
        return &table;
    }

    void OnA() { log += "base A;"; }
    void OnB() { log += "base B;"; }
    LRESULT OnProbe(WPARAM w, LPARAM l) {
        log += "probe " + std::to_string(w) + "," + std::to_string(l) + ";";
        return 7;
    }
};

class Derived : public Base {
  public:
    const fw::MessageTable* GetMessageMap() const override { return GetThisMessageMap(); }
    static const fw::MessageTable* GetThisMessageMap() {
        static constexpr fw::MessageRow rows[] = {
            fw::OnEditChange<&Derived::OnAChange>(ID_A),
            fw::OnClicked<&Derived::OnA>(ID_A),
            fw::OnClicked<&Derived::OnASecond>(ID_A),
        };
        static const fw::MessageTable table{Base::GetThisMessageMap(), rows};
        return &table;
    }

    void OnA() { log += "derived A;"; }
    void OnASecond() { log += "second A;"; }
    void OnAChange() { log += "derived change A;"; }
};

bool Send(CCmdTarget& t, UINT message, WPARAM w, LPARAM l = 0, LRESULT* result = nullptr) {
    return t.Dispatch(message, w, l, result);
}

TEST(MessageTable, FirstMatchingRowFromTheMostDerivedClassWins) {
    Derived d;
    EXPECT_TRUE(Send(d, WM_COMMAND, fw::MakeWParam(ID_A, BN_CLICKED)));
    EXPECT_EQ(d.log, "derived A;");  // neither the later row nor the base's row runs
}

TEST(MessageTable, UnshadowedRowsOfTheBaseStillRun) {
    Derived d;
    EXPECT_TRUE(Send(d, WM_COMMAND, fw::MakeWParam(ID_B, BN_CLICKED)));
    LRESULT result = 0;
    EXPECT_TRUE(Send(d, WM_PROBE, 3, 4, &result));
    EXPECT_EQ(result, 7);
    EXPECT_EQ(d.log, "base B;probe 3,4;");
}

TEST(MessageTable, CommandsMatchOnIdentifierAndNotificationCode) {
    Derived d;
    EXPECT_TRUE(Send(d, WM_COMMAND, fw::MakeWParam(ID_A, EN_CHANGE)));
    EXPECT_FALSE(Send(d, WM_COMMAND, fw::MakeWParam(ID_B, EN_CHANGE)));
    EXPECT_FALSE(Send(d, WM_COMMAND, fw::MakeWParam(999, BN_CLICKED)));
    EXPECT_EQ(d.log, "derived change A;");
}

TEST(MessageTable, AMessageWithoutARowIsLeftToTheCaller) {
    Base b;
    LRESULT result = 42;
    EXPECT_FALSE(Send(b, WM_PAINT, 0, 0, &result));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(b.log, "");
}

}  // namespace
