#include "values/io_data.h"

#include "values/clock.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every value test runs on a clock that stands still, so "now" is known.
class IOData : public ::testing::Test
{
protected:
    IOData() { SetClock(&clock); }
    ~IOData() override { SetClock(nullptr); }
    TDateTime now() const { return QDateTimeToDateTime(clock.Now()); }

    TManualClock clock{QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30, 400))};
};

struct Events {
    int rawSet = 0, rawChange = 0, set = 0, change = 0;
    explicit Events(TIOData &v)
    {
        v.OnRawSet = [this](TIOData *) { ++rawSet; };
        v.OnRawChange = [this](TIOData *) { ++rawChange; };
        v.OnSet = [this](TIOData *) { ++set; };
        v.OnChange = [this](TIOData *) { ++change; };
    }
};

const QVariant byteZero = QVariant::fromValue<quint8>(0);

} // namespace

TEST_F(IOData, SameNumberTwiceSetsTwiceAndChangesOnce)
{
    TIODouble level;
    EXPECT_EQ(level.Value.typeId(), QMetaType::UChar);
    EXPECT_DOUBLE_EQ(level.Stamp.GetTimeStamp(), now());
    Events events(level);
    // 0.0 after the initial 8-bit 0 is no change, whatever the type.
    level.SetValue(0.0);
    level.SetValue(1234.5);
    level.SetValue(1234.5);
    EXPECT_EQ(events.rawSet, 3);
    EXPECT_EQ(events.rawChange, 1);
    EXPECT_EQ(events.set, 3);
    EXPECT_EQ(events.change, 1);
    EXPECT_EQ(level.Value.typeId(), QMetaType::Double);

    const TDateTime reading = now() - 2.5;
    level.SetValue(1.0, reading);
    EXPECT_DOUBLE_EQ(level.Stamp.GetTimeStamp(), reading);
    clock.Advance(1500);
    level.SetValue(2.0, 0);
    EXPECT_DOUBLE_EQ(level.Stamp.GetTimeStamp(), now());
}

TEST_F(IOData, ThreeStatesChangeOnlyWhenTheStateDoes)
{
    TIOThreeStates link;
    TCustomIOData copy;
    ASSERT_TRUE(copy.SetSource(&link, false));
    Events events(link);
    link.SetValue(1);
    link.SetValue(1.4);
    EXPECT_EQ(events.rawChange, 2);
    EXPECT_EQ(events.change, 1);
    EXPECT_EQ(copy.Value, QVariant::fromValue<quint8>(tsFalse));
    // A number outside the byte is no state: the old one stays.
    link.SetValue(300);
    EXPECT_EQ(link.AsInt(), int(tsFalse));
}

TEST_F(IOData, InactiveValueStoresRawAndStampButStaysQuiet)
{
    TIODouble source, listener;
    ASSERT_TRUE(listener.SetSource(&source, false));
    Events events(source);
    source.Active = false;
    clock.Advance(60000);
    source.SetValue(7.5);
    EXPECT_EQ(source.RawValue, QVariant(7.5));
    EXPECT_DOUBLE_EQ(source.Stamp.GetTimeStamp(), now());
    EXPECT_EQ(source.Value, byteZero);
    EXPECT_EQ(events.rawSet + events.rawChange + events.set + events.change, 0);
    EXPECT_EQ(listener.RawValue, byteZero);
}

TEST_F(IOData, FailuresEndTheirStepOnly)
{
    TIODouble level, listener;
    ASSERT_TRUE(listener.SetSource(&level, false));
    level.SetValue(12.0);
    Events events(level);
    level.SetValue(QStringLiteral("нет ответа"));
    EXPECT_EQ(level.RawValue, QVariant(QStringLiteral("нет ответа")));
    EXPECT_DOUBLE_EQ(level.AsDouble(), 12.0);
    EXPECT_EQ(events.set, 1);
    EXPECT_EQ(events.change, 0);

    level.OnSet = [](TIOData *) { throw std::runtime_error("window gone"); };
    level.SetValue(3.0);
    EXPECT_EQ(events.change, 1);
    EXPECT_DOUBLE_EQ(listener.AsDouble(), 3.0);
}

TEST_F(IOData, ChainCarriesTheFirstStampInListOrder)
{
    TIODouble level, display, graph, archive;
    ASSERT_TRUE(display.SetSource(&level, false));
    ASSERT_TRUE(graph.SetSource(&level, false));
    ASSERT_TRUE(archive.SetSource(&display, false));
    QStringList order;
    display.OnSet = [&](TIOData *) { order << "display"; };
    archive.OnSet = [&](TIOData *) { order << "archive"; };
    graph.OnSet = [&](TIOData *) { order << "graph"; };

    const TDateTime reading = now() - 1.0;
    level.SetValue(42.0, reading);
    EXPECT_EQ(order, (QStringList{"display", "archive", "graph"}));
    for (const TIODouble *v : {&display, &graph, &archive}) {
        EXPECT_DOUBLE_EQ(v->AsDouble(), 42.0);
        EXPECT_DOUBLE_EQ(v->Stamp.GetTimeStamp(), reading);
    }
}

TEST_F(IOData, SetSourceMovesTheListenerAndCopiesWhenAsked)
{
    TIODouble first, second, listener;
    first.SetValue(1.0);
    const TDateTime secondStamp = now() - 0.5;
    second.SetValue(2.0, secondStamp);

    ASSERT_TRUE(listener.SetSource(&first, true));
    EXPECT_DOUBLE_EQ(listener.AsDouble(), 1.0);
    ASSERT_TRUE(listener.SetSource(&second, true));
    ASSERT_TRUE(listener.SetSource(&second, true));
    EXPECT_TRUE(first.Listeners().isEmpty());
    EXPECT_EQ(second.Listeners(), QList<TIOData *>{&listener});
    EXPECT_DOUBLE_EQ(listener.AsDouble(), 2.0);
    EXPECT_DOUBLE_EQ(listener.Stamp.GetTimeStamp(), secondStamp);

    ASSERT_TRUE(listener.SetSource(nullptr, false));
    EXPECT_EQ(listener.Source(), nullptr);
    EXPECT_TRUE(second.Listeners().isEmpty());
}

TEST_F(IOData, LoopsAreRefusedAndChangeNothing)
{
    TIODouble a, b, c, other;
    EXPECT_FALSE(a.SetSource(&a, true));
    EXPECT_TRUE(a.Listeners().isEmpty());
    ASSERT_TRUE(b.SetSource(&a, false));
    ASSERT_TRUE(c.SetSource(&b, false));
    ASSERT_TRUE(a.SetSource(&other, false));
    EXPECT_FALSE(a.SetSource(&c, true));
    EXPECT_FALSE(a.SetSource(&b, false));
    EXPECT_EQ(a.Source(), &other);
    EXPECT_EQ(other.Listeners(), QList<TIOData *>{&a});
    EXPECT_TRUE(c.Listeners().isEmpty());
}

TEST_F(IOData, FreeingEitherEndOfALinkLeavesNoDanglingPointer)
{
    auto level = std::make_unique<TIODouble>();
    auto display = std::make_unique<TIODouble>();
    TIODouble graph, other;
    ASSERT_TRUE(display->SetSource(level.get(), false));
    ASSERT_TRUE(graph.SetSource(level.get(), false));
    display.reset();
    EXPECT_EQ(level->Listeners(), QList<TIOData *>{&graph});
    level->SetValue(9.0);
    EXPECT_DOUBLE_EQ(graph.AsDouble(), 9.0);

    level.reset();
    EXPECT_EQ(graph.Source(), nullptr);
    EXPECT_TRUE(graph.SetSource(&other, false)); // touches no freed source
}

TEST_F(IOData, HandlersMayRewireOrFreeValuesWhileBeingTold)
{
    auto level = std::make_unique<TIODouble>();
    auto doomed = std::make_unique<TIODouble>();
    TIODouble first, second, late, survivor;
    for (TIOData *v : std::initializer_list<TIOData *>{&first, &second, doomed.get(), &survivor})
        ASSERT_TRUE(v->SetSource(level.get(), false));
    first.OnSet = [&](TIOData *) {
        second.SetSource(nullptr, false);
        late.SetSource(level.get(), false);
        doomed.reset();
    };
    level->SetValue(4.0);
    EXPECT_EQ(second.RawValue, byteZero);
    EXPECT_DOUBLE_EQ(survivor.AsDouble(), 4.0);
    EXPECT_EQ(level->Listeners(), (QList<TIOData *>{&first, &survivor, &late}));

    // The source freed in the middle of its own walk stops it.
    first.OnSet = [&](TIOData *) { level.reset(); };
    level->SetValue(5.0);
    EXPECT_EQ(survivor.Source(), nullptr);
    EXPECT_DOUBLE_EQ(survivor.AsDouble(), 4.0);

    // A value may free itself from its own event.
    auto self = std::make_unique<TIODouble>();
    self->OnRawSet = [&](TIOData *) { self.reset(); };
    self->SetValue(3.0);
    EXPECT_FALSE(self);
}

TEST_F(IOData, AssignCopiesActiveAndTheDescriptorOfItsOwnClass)
{
    TIODouble level, copy;
    TIOThreeStates link, linkCopy;
    level.Active = false;
    level.Description.SetRange(45000, 0);
    link.Description.SetCaption(tsTrue, QStringLiteral("Есть"));
    copy.Assign(level);
    EXPECT_FALSE(copy.Active);
    EXPECT_DOUBLE_EQ(copy.Description.Max(), 45000);
    copy.Assign(link);
    EXPECT_TRUE(copy.Active);
    EXPECT_DOUBLE_EQ(copy.Description.Max(), 45000);
    linkCopy.Assign(link);
    EXPECT_EQ(linkCopy.Description.Captions[tsTrue], QStringLiteral("Есть"));
}
