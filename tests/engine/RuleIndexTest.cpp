// The index against a plain walk over the table: for generated tables of
// every input kind and random events, the rules it names are exactly those
// a walk finds concerned, in table order.
#include "ChangeTable.h"
#include "RuleIndex.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

const char* const kApplications[] = {"paint.exe", "C:\\Office\\Writer.exe", "PAINT.EXE",
                                     "Browser.exe"};

// The oracle: whether a rule's device, kind, channel and number agree with
// the event. A rule of a slot beyond the eight never concerns one.
bool Concerns(const CChangeTableItem& rule, const InputEvent& event) {
    if (rule.InputCh != 0 && rule.InputCh != event.channel) {
        return false;
    }
    if (rule.InputDevice > 8 ||
        (rule.InputDevice != CChangeTableItem::kAnyDevice && rule.InputDevice != event.device)) {
        return false;
    }
    switch (rule.InputKind) {
    case CChangeTableItem::Note:
        return event.kind == CChangeTableItem::Note && rule.NoteNumber <= event.number &&
               event.number <= rule.NoteNumberEnd;
    case CChangeTableItem::ControlChange:
    case CChangeTableItem::ControlChangeUp:
    case CChangeTableItem::ControlChangeDown:
        return event.kind == CChangeTableItem::ControlChange && rule.CCNumber == event.number;
    case CChangeTableItem::ProgramChange:
        return event.kind == CChangeTableItem::ProgramChange &&
               rule.PCNumber - rule.PCRange == event.number - event.pcRange;
    case CChangeTableItem::PitchBendMinus:
    case CChangeTableItem::PitchBendPlus:
        return event.kind == rule.InputKind;
    default:
        return false;
    }
}

template <typename Picked>
std::vector<int> PlainWalk(const CChangeTable& table, const InputEvent& event, int from,
                           Picked picked) {
    std::vector<int> found;
    for (int i = from; i < table.GetSize(); ++i) {
        if (table.GetAt(i) != nullptr && picked(*table.GetAt(i)) &&
            Concerns(*table.GetAt(i), event)) {
            found.push_back(i);
        }
    }
    return found;
}

std::vector<int> All(CRuleIndex::Candidates candidates) {
    std::vector<int> found;
    for (int position; (position = candidates.Next()) >= 0;) {
        found.push_back(position);
    }
    return found;
}

class GeneratedTables : public ::testing::Test {
protected:
    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Pick(256)); }
    // Mostly what users build, with the odd byte no editor writes.
    std::uint8_t Small(int below) {
        return static_cast<std::uint8_t>(Pick(10) ? Pick(below) : Pick(256));
    }

    void Fill(int count) {
        for (int i = 0; i < count; ++i) {
            auto* rule = new CChangeTableItem;
            rule->InputKind = static_cast<std::uint8_t>(Pick(9)); // 7 and 8 are unknown
            rule->InputCh = static_cast<std::uint8_t>(Pick(3) == 0 ? 0 : Small(19));
            rule->NoteNumber = Small(16);
            rule->NoteNumberEnd =
                static_cast<std::uint8_t>(Pick(8) ? rule->NoteNumber + Pick(4) : Byte());
            rule->CCNumber = Small(8);
            rule->CCFlag = static_cast<std::uint8_t>(Pick(2));
            rule->PCNumber = Small(8);
            rule->PCRange = static_cast<std::uint8_t>(Pick(2));
            rule->KeyHold = static_cast<std::uint8_t>(Pick(3) == 0);
            if (Pick(3) == 0) {
                rule->SetForeExePath(kApplications[Pick(4)]);
            }
            // Mostly every layer, some on layers 1..3, the odd number beyond 16.
            rule->Layer = static_cast<std::uint8_t>(Pick(2) ? 0 : Small(4));
            // Every device, now and then one of the slots 1..2 or a byte
            // beyond them; a table of every device only keeps fewer lists.
            if (devices && Pick(3) == 0) {
                rule->InputDevice = Small(3);
            }
            table.InsertAt(table.GetSize(), rule);
        }
    }
    InputEvent RandomEvent() {
        InputEvent event;
        event.kind = static_cast<std::uint8_t>(Pick(8));
        event.channel = Small(20);
        event.number = Small(20);
        event.pcRange = static_cast<std::uint8_t>(Pick(4) ? 0 : Small(3));
        event.device = static_cast<std::uint8_t>(Pick(4));
        return event;
    }

    bool devices = false;
    std::mt19937 random{2026};
    CChangeTable table;
    CRuleIndex index;
};

} // namespace

TEST_F(GeneratedTables, TheIndexNamesExactlyTheRulesAPlainWalkFindsInTableOrder) {
    for (int round = 0; round < 40; ++round) {
        devices = round % 2 == 1;
        Fill(Pick(60));
        index.Build(table);
        std::vector<std::uint8_t> inFront(static_cast<std::size_t>(index.GroupCount()));
        for (std::uint8_t& flag : inFront) {
            flag = static_cast<std::uint8_t>(Pick(2));
        }
        index.SelectFront(inFront);
        const auto limitedInFront = [&](const CChangeTableItem& rule) {
            for (int group = 0; group < index.GroupCount(); ++group) {
                if (inFront[static_cast<std::size_t>(group)] &&
                    table.GetAt(index.GroupRulePosition(group))->GetForeExePath() ==
                        rule.GetForeExePath()) {
                    return true;
                }
            }
            return false;
        };
        for (int e = 0; e < 200; ++e) {
            const InputEvent event = RandomEvent();
            const int from = Pick(3) ? 0 : Pick(table.GetSize() + 1);
            SCOPED_TRACE(testing::Message() << "round " << round << " kind " << int(event.kind)
                                            << " ch " << int(event.channel) << " number "
                                            << int(event.number) << " from " << from);
            ASSERT_EQ(All(index.Find(event, from)),
                      PlainWalk(table, event, from, [](const CChangeTableItem&) { return true; }));
            for (int layer = 0; layer <= 3; ++layer) {
                ASSERT_EQ(All(index.FindLevel(event, false, layer, from)),
                          PlainWalk(table, event, from, [&](const CChangeTableItem& rule) {
                              return !rule.IsForOneApplication() && rule.Layer == layer;
                          }));
                ASSERT_EQ(All(index.FindLevel(event, true, layer, from)),
                          PlainWalk(table, event, from, [&](const CChangeTableItem& rule) {
                              return limitedInFront(rule) && rule.Layer == layer;
                          }));
            }
        }
    }
}

TEST_F(GeneratedTables, TheIndexKnowsWhenItNoLongerDescribesTheTable) {
    Fill(5);
    index.Build(table);
    EXPECT_TRUE(index.IsCurrentFor(table));
    EXPECT_TRUE(index.Indexed(4, table.GetAt(4)));
    CChangeTableItem* replaced = table.GetAt(4);
    table.SetAt(4, new CChangeTableItem);
    EXPECT_FALSE(index.Indexed(4, table.GetAt(4))) << "a new rule in an old place";
    delete replaced;
    Fill(1);
    EXPECT_FALSE(index.IsCurrentFor(table)) << "the table grew";
    const std::uint32_t generation = index.Generation();
    index.Build(table);
    index.MarkStale();
    EXPECT_FALSE(index.IsCurrentFor(table));
    index.Build(table);
    EXPECT_TRUE(index.IsCurrentFor(table));
    EXPECT_EQ(index.Generation(), generation + 2);
}
