#include "values/io_data.h"

#include "app/clock.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <memory>

namespace {

// Every value test runs on a clock that stands still, so "now" is known.
class IOData : public ::testing::Test
{
protected:
    IOData()
        : clock(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30, 400)))
    {
        SetClock(&clock);
    }
    ~IOData() override { SetClock(nullptr); }

    TDateTime now() const { return QDateTimeToDateTime(clock.Now()); }

    TManualClock clock;
};

struct EventCount {
    int rawSet = 0, rawChange = 0, set = 0, change = 0;
    void attach(TIOData &v)
    {
        v.OnRawSet = [this](TIOData *) { ++rawSet; };
        v.OnRawChange = [this](TIOData *) { ++rawChange; };
        v.OnSet = [this](TIOData *) { ++set; };
        v.OnChange = [this](TIOData *) { ++change; };
    }
};

} // namespace

TEST_F(IOData, NewValueHoldsAnEightBitZeroStampedAtCreation)
{
    TIODouble level;
    TIOThreeStates link;
    EXPECT_EQ(level.RawValue.typeId(), QMetaType::UChar);
    EXPECT_EQ(level.Value.typeId(), QMetaType::UChar);
    EXPECT_EQ(link.Value, QVariant::fromValue<quint8>(0));
    EXPECT_TRUE(level.Active);
    EXPECT_DOUBLE_EQ(level.Stamp.GetTimeStamp(), now());
}

TEST_F(IOData, SameNumberTwiceSetsTwiceAndChangesOnce)
{
    TIODouble level;
    EventCount events;
    events.attach(level);
    level.SetValue(1234.5);
    level.SetValue(1234.5);
    EXPECT_EQ(events.rawSet, 2);
    EXPECT_EQ(events.rawChange, 1);
    EXPECT_EQ(events.set, 2);
    EXPECT_EQ(events.change, 1);
    EXPECT_EQ(level.Value.typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(level.AsDouble(), 1234.5);
}

TEST_F(IOData, ZeroAfterTheInitialZeroIsNoChangeWhateverItsType)
{
    TIODouble level;
    EventCount events;
    events.attach(level);
    level.SetValue(0.0);
    level.SetValue(QVariant::fromValue<int>(0));
    EXPECT_EQ(events.rawChange, 0);
    EXPECT_EQ(events.change, 0);
    EXPECT_EQ(events.set, 2);
}

TEST_F(IOData, RawChangeWithoutConvertedChange)
{
    // 1.4 and 1 are different raw values but the same state.
    TIOThreeStates link;
    EventCount events;
    events.attach(link);
    link.SetValue(1);
    link.SetValue(1.4);
    EXPECT_EQ(events.rawChange, 2);
    EXPECT_EQ(events.change, 1);
    EXPECT_EQ(link.Value.typeId(), QMetaType::UChar);
    EXPECT_EQ(link.AsInt(), int(tsFalse));
}

TEST_F(IOData, StampIsTheGivenMomentOrNow)
{
    TIODouble level;
    const TDateTime reading = QDateTimeToDateTime(QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5, 6)));
    level.SetValue(1.0, reading);
    EXPECT_DOUBLE_EQ(level.Stamp.GetTimeStamp(), reading);
    clock.Advance(1500);
    level.SetValue(2.0);
    EXPECT_DOUBLE_EQ(level.Stamp.GetTimeStamp(), now());
}

TEST_F(IOData, InactiveValueStoresRawAndStampButStaysQuiet)
{
    TIODouble source, listener;
    ASSERT_TRUE(listener.SetSource(&source, false));
    EventCount events;
    events.attach(source);
    source.Active = false;
    clock.Advance(60000);
    source.SetValue(7.5);
    EXPECT_EQ(source.RawValue, QVariant(7.5));
    EXPECT_DOUBLE_EQ(source.Stamp.GetTimeStamp(), now());
    EXPECT_EQ(source.Value, QVariant::fromValue<quint8>(0));
    EXPECT_EQ(events.rawSet + events.rawChange + events.set + events.change, 0);
    EXPECT_EQ(listener.RawValue, QVariant::fromValue<quint8>(0));
}

TEST_F(IOData, FailedConversionKeepsTheOldValue)
{
    TIODouble level;
    level.SetValue(12.0);
    EventCount events;
    events.attach(level);
    level.SetValue(QStringLiteral("нет ответа"));
    EXPECT_EQ(level.RawValue, QVariant(QStringLiteral("нет ответа")));
    EXPECT_DOUBLE_EQ(level.AsDouble(), 12.0);
    EXPECT_EQ(events.rawChange, 1);
    EXPECT_EQ(events.set, 1);
    EXPECT_EQ(events.change, 0);
    EXPECT_EQ(level.AsText(false, false), QStringLiteral("12"));

    // A state outside the byte is no state at all.
    TIOThreeStates link;
    link.SetValue(2);
    link.SetValue(300);
    EXPECT_EQ(link.AsInt(), int(tsTrue));
}

TEST_F(IOData, FailingHandlerDoesNotStopTheReading)
{
    TIODouble level, listener;
    ASSERT_TRUE(listener.SetSource(&level, false));
    int changes = 0;
    level.OnSet = [](TIOData *) { throw std::runtime_error("window gone"); };
    level.OnChange = [&](TIOData *) { ++changes; };
    level.SetValue(3.0);
    EXPECT_EQ(changes, 1);
    EXPECT_DOUBLE_EQ(listener.AsDouble(), 3.0);
}

TEST_F(IOData, ChainCarriesTheFirstStampInListOrder)
{
    TIODouble level, display, graph, archive;
    ASSERT_TRUE(display.SetSource(&level, false));
    ASSERT_TRUE(graph.SetSource(&level, false));
    ASSERT_TRUE(archive.SetSource(&display, false));
    QStringList order;
    display.OnSet = [&](TIOData *) { order << QStringLiteral("display"); };
    archive.OnSet = [&](TIOData *) { order << QStringLiteral("archive"); };
    graph.OnSet = [&](TIOData *) { order << QStringLiteral("graph"); };

    const TDateTime reading = now() - 1.0;
    level.SetValue(42.0, reading);
    EXPECT_EQ(order, (QStringList{"display", "archive", "graph"}));
    for (const TIODouble *v : {&display, &graph, &archive}) {
        EXPECT_DOUBLE_EQ(v->AsDouble(), 42.0);
        EXPECT_DOUBLE_EQ(v->Stamp.GetTimeStamp(), reading);
    }
    EXPECT_EQ(archive.Source(), &display);
    EXPECT_EQ(level.Listeners(), (QList<TIOData *>{&display, &graph}));
}

TEST_F(IOData, ListenersGetTheConvertedValue)
{
    TIOThreeStates state;
    TCustomIOData copy;
    ASSERT_TRUE(copy.SetSource(&state, false));
    state.SetValue(2.2);
    EXPECT_EQ(copy.Value, QVariant::fromValue<quint8>(2));
}

TEST_F(IOData, SetSourceMovesTheListenerAndCopiesWhenAsked)
{
    TIODouble first, second, listener;
    first.SetValue(1.0);
    const TDateTime secondStamp = now() - 0.5;
    second.SetValue(2.0, secondStamp);

    ASSERT_TRUE(listener.SetSource(&first, true));
    EXPECT_DOUBLE_EQ(listener.AsDouble(), 1.0);
    ASSERT_TRUE(listener.SetSource(&second, false));
    EXPECT_TRUE(first.Listeners().isEmpty());
    EXPECT_EQ(second.Listeners(), QList<TIOData *>{&listener});
    EXPECT_DOUBLE_EQ(listener.AsDouble(), 1.0);

    ASSERT_TRUE(listener.SetSource(&second, true));
    EXPECT_EQ(second.Listeners().size(), 1);
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
    EXPECT_EQ(a.Source(), nullptr);
    EXPECT_TRUE(a.Listeners().isEmpty());

    ASSERT_TRUE(b.SetSource(&a, false));
    ASSERT_TRUE(c.SetSource(&b, false));
    ASSERT_TRUE(a.SetSource(&other, false));
    EXPECT_FALSE(a.SetSource(&c, true));
    EXPECT_FALSE(a.SetSource(&b, false));
    EXPECT_EQ(a.Source(), &other);
    EXPECT_EQ(other.Listeners(), QList<TIOData *>{&a});
    EXPECT_TRUE(c.Listeners().isEmpty());

    a.SetValue(5.0);
    EXPECT_DOUBLE_EQ(c.AsDouble(), 5.0);
}

TEST_F(IOData, FreedListenerLeavesItsSource)
{
    TIODouble level;
    auto display = std::make_unique<TIODouble>();
    TIODouble graph;
    ASSERT_TRUE(display->SetSource(&level, false));
    ASSERT_TRUE(graph.SetSource(&level, false));
    display.reset();
    EXPECT_EQ(level.Listeners(), QList<TIOData *>{&graph});
    level.SetValue(9.0);
    EXPECT_DOUBLE_EQ(graph.AsDouble(), 9.0);
}

TEST_F(IOData, FreedSourceLeavesItsListenersWithoutOne)
{
    auto level = std::make_unique<TIODouble>();
    TIODouble display, graph;
    ASSERT_TRUE(display.SetSource(level.get(), false));
    ASSERT_TRUE(graph.SetSource(&display, false));
    level.reset();
    EXPECT_EQ(display.Source(), nullptr);
    EXPECT_EQ(graph.Source(), &display);
    // Relinking and setting after the source is gone touch no freed memory.
    TIODouble other;
    EXPECT_TRUE(display.SetSource(&other, false));
    display.SetValue(1.0);
    EXPECT_DOUBLE_EQ(graph.AsDouble(), 1.0);
}

TEST_F(IOData, HandlersMayRewireListenersWhileBeingTold)
{
    TIODouble level, first, second, third, late;
    ASSERT_TRUE(first.SetSource(&level, false));
    ASSERT_TRUE(second.SetSource(&level, false));
    ASSERT_TRUE(third.SetSource(&level, false));
    // The first listener unlinks the second and links another one.
    first.OnSet = [&](TIOData *) {
        second.SetSource(nullptr, false);
        late.SetSource(&level, false);
    };
    level.SetValue(4.0);
    EXPECT_EQ(second.RawValue, QVariant::fromValue<quint8>(0));
    EXPECT_DOUBLE_EQ(third.AsDouble(), 4.0);
    EXPECT_EQ(level.Listeners(), (QList<TIOData *>{&first, &third, &late}));
    level.SetValue(5.0);
    EXPECT_DOUBLE_EQ(late.AsDouble(), 5.0);
}

TEST_F(IOData, HandlersMayFreeValuesWhileBeingTold)
{
    auto level = std::make_unique<TIODouble>();
    auto doomed = std::make_unique<TIODouble>();
    TIODouble killer, survivor;
    ASSERT_TRUE(killer.SetSource(level.get(), false));
    ASSERT_TRUE(doomed->SetSource(level.get(), false));
    ASSERT_TRUE(survivor.SetSource(level.get(), false));

    // A listener freed by an earlier listener's handler is skipped.
    killer.OnChange = [&](TIOData *) { doomed.reset(); };
    level->SetValue(1.0);
    EXPECT_FALSE(doomed);
    EXPECT_DOUBLE_EQ(survivor.AsDouble(), 1.0);

    // A listener's handler may free the source in the middle of its walk.
    killer.OnChange = [&](TIOData *) { level.reset(); };
    level->SetValue(2.0);
    EXPECT_FALSE(level);
    EXPECT_EQ(survivor.Source(), nullptr);
    EXPECT_EQ(killer.Source(), nullptr);

    // A value may free itself from its own event.
    auto self = std::make_unique<TIODouble>();
    self->OnRawSet = [&](TIOData *) { self.reset(); };
    self->SetValue(3.0);
    EXPECT_FALSE(self);
}

TEST_F(IOData, AssignCopiesActiveAndTheDescriptorOfItsOwnClass)
{
    TIODouble level, copy;
    level.Active = false;
    level.Description.Title = QStringLiteral("Уровень");
    level.Description.SetRange(45000, 0);
    copy.Assign(level);
    EXPECT_FALSE(copy.Active);
    EXPECT_EQ(copy.Description.Title, QStringLiteral("Уровень"));
    EXPECT_DOUBLE_EQ(copy.Description.Max(), 45000);

    TIOThreeStates link;
    link.Description.SetCaption(tsTrue, QStringLiteral("Есть"));
    copy.Active = true;
    copy.Assign(link);
    EXPECT_TRUE(copy.Active);
    EXPECT_EQ(copy.Description.Title, QStringLiteral("Уровень"));

    TIOThreeStates linkCopy;
    linkCopy.Assign(link);
    EXPECT_EQ(linkCopy.Description.Captions[tsTrue], QStringLiteral("Есть"));
}
