// The key handlers: hold counters, turbo, power transfer and firing.
#include "fakes.h"

namespace enginetests {
namespace {

class KeyboardTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        StartPlaying();
    }
};

TEST_F(KeyboardTest, HeldSteeringKeysCountUpToTwentyAndReleaseClearsThem) {
    struct Case {
        std::int16_t key;
        std::int32_t* counter;
    } cases[] = {{vk::Left, &LeftThrust}, {vk::Right, &RightThrust}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        std::vector<std::int32_t> seen;
        for (int i = 0; i < 23; ++i) {
            KeyDown(c.key);
            seen.push_back(*c.counter);
        }
        std::vector<std::int32_t> expected;
        for (int i = 1; i <= 23; ++i) expected.push_back(i < 20 ? i : 20);
        EXPECT_EQ(seen, expected);
        KeyUp(c.key);
        EXPECT_EQ(*c.counter, 0);
    }
    EXPECT_TRUE(host.log.empty());
}

TEST_F(KeyboardTest, TurboStepsCostOneEnergyAndPlaySixWhileEnergyAboveTwoAndThrustBelowTen) {
    struct Case {
        const char* name;
        std::int32_t weapons, turbo;
        std::int32_t weaponsAfter, turboAfter;
        bool sound;
    } cases[] = {
        {"a step from rest", 100, 0, 99, 1, true},
        {"energy 3 still pays", 3, 0, 2, 1, true},
        {"energy 2 does not", 2, 0, 2, 0, false},
        {"the last step to 10", 50, 9, 49, 10, true},
        {"no step beyond 10", 50, 10, 50, 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Forget();
        WeaponEnergy = c.weapons;
        TurboThrust = c.turbo;
        KeyDown(vk::Up);
        EXPECT_EQ(WeaponEnergy, c.weaponsAfter);
        EXPECT_EQ(TurboThrust, c.turboAfter);
        EXPECT_EQ(host.sounds, c.sound ? std::vector<int>{TurboSlot} : std::vector<int>{});
    }
}

TEST_F(KeyboardTest, HoldingUpClimbsToTenAndReleaseDropsTheThrustToZero) {
    for (int i = 0; i < 14; ++i) KeyDown(vk::Up);
    EXPECT_EQ(TurboThrust, 10);
    EXPECT_EQ(WeaponEnergy, 90);
    EXPECT_EQ(host.sounds, std::vector<int>(10, TurboSlot));

    KeyUp(vk::Up);
    EXPECT_EQ(TurboThrust, 0);
    EXPECT_EQ(WeaponEnergy, 90);
}

TEST_F(KeyboardTest, PowerTransfersMoveTenOutOfTheGiverAndLoseWhatTheTakerCannotHold) {
    struct Case {
        const char* name;
        std::int16_t key;
        std::int32_t weapons, shields;
        std::int32_t weaponsAfter, shieldsAfter;
    } cases[] = {
        {"S needs more than 10 energy", vk::S, 10, 50, 10, 50},
        {"S at 11 fills the shields to 100", vk::S, 11, 95, 1, 100},
        {"S into full shields does nothing", vk::S, 50, 100, 50, 100},
        {"S into 99 loses 9", vk::S, 50, 99, 40, 100},
        {"S in the middle", vk::S, 50, 50, 40, 60},
        {"W needs more than 20 shields", vk::W, 50, 20, 50, 20},
        {"W at 21 fills the weapons to 100", vk::W, 95, 21, 100, 11},
        {"W into full weapons does nothing", vk::W, 100, 50, 100, 50},
        {"W in the middle", vk::W, 50, 50, 60, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WeaponEnergy = c.weapons;
        Shields = c.shields;
        KeyDown(c.key);
        EXPECT_EQ(WeaponEnergy, c.weaponsAfter);
        EXPECT_EQ(Shields, c.shieldsAfter);
    }
    EXPECT_TRUE(host.log.empty());
}

TEST_F(KeyboardTest, TheShiftStateDoesNotChangeALetterKey) {
    WeaponEnergy = 50;
    Shields = 50;
    std::int16_t key = vk::S;
    std::int16_t shift = 1;
    Form_KeyDown(key, shift);
    EXPECT_EQ(WeaponEnergy, 40);
    EXPECT_EQ(Shields, 60);
    EXPECT_EQ(key, vk::S);
}

TEST_F(KeyboardTest, TheGunsAlternateFromTheRightGunAtTheFirstShotOfTheProgram) {
    std::vector<std::int32_t> xs;
    for (int i = 0; i < 4; ++i) {
        KeyDown(i % 2 == 0 ? vk::Space : vk::Down);
        xs.push_back(ShotX[i]);
        EXPECT_EQ(ShotY[i], 260);
        EXPECT_EQ(ShotFrame[i], 1);
    }
    EXPECT_EQ(xs, (std::vector<std::int32_t>{215, 208, 215, 208}));
    EXPECT_EQ(host.sounds, (std::vector<int>{RightGunSlot, LeftGunSlot, RightGunSlot, LeftGunSlot}));
    EXPECT_EQ(WeaponEnergy, 100 - 4 * 15);
    EXPECT_EQ(GunSide, 0);
}

TEST_F(KeyboardTest, AShotStartsFromWhereverTheShipIs) {
    ShipX = 1;
    GunSide = 1;
    KeyDown(vk::Space);
    EXPECT_EQ(ShotX[0], 9);
    EXPECT_EQ(ShotY[0], 260);
}

TEST_F(KeyboardTest, FiringNeedsTenEnergyAndMayLeaveMinusFive) {
    WeaponEnergy = 9;
    KeyDown(vk::Space);
    EXPECT_EQ(WeaponEnergy, 9);
    EXPECT_EQ(GunSide, 0);
    EXPECT_EQ(ShotY[0], FreeSlot);
    EXPECT_TRUE(host.sounds.empty());

    WeaponEnergy = 10;
    KeyDown(vk::Space);
    EXPECT_EQ(WeaponEnergy, -5);
    EXPECT_EQ(ShotY[0], 260);
    EXPECT_EQ(host.sounds, std::vector<int>{RightGunSlot});
}

TEST_F(KeyboardTest, FiringWithEverySlotInFlightCostsNothing) {
    for (int i = 0; i < 10; ++i) PlaceShot(i, 100, 50 + i);
    const Tables tables = Tables::Now();

    KeyDown(vk::Space);

    EXPECT_EQ(WeaponEnergy, 100);
    EXPECT_EQ(GunSide, 0);
    EXPECT_TRUE(Tables::Now() == tables);
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(KeyboardTest, AShotGoesIntoTheLowestFreeSlot) {
    PlaceShot(1, 100, 100, 3);

    KeyDown(vk::Space);
    KeyDown(vk::Space);

    EXPECT_EQ(ShotY[0], 260);
    EXPECT_EQ(ShotY[1], 100);
    EXPECT_EQ(ShotFrame[1], 3);
    EXPECT_EQ(ShotY[2], 260);
    EXPECT_EQ(ShotX[2], 208);
    EXPECT_EQ(ShotY[3], FreeSlot);
}

TEST_F(KeyboardTest, OtherKeysDoNothing) {
    WeaponEnergy = 50;
    Shields = 50;
    const PlayState state = PlayState::Now();
    const Tables tables = Tables::Now();

    for (std::int16_t key : {13, 16, 17, 65, 112, 115, 119}) {  // Enter, Shift, Ctrl, A, F1, F4, F8
        KeyDown(key);
        KeyUp(key);
    }
    KeyUp(vk::S);
    KeyUp(vk::Space);

    EXPECT_TRUE(PlayState::Now() == state);
    EXPECT_TRUE(Tables::Now() == tables);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(KeyboardTest, KeyUpClearsTheCountersAlsoWhenNoGameRuns) {
    LeftThrust = 7;
    RightThrust = 8;
    TurboThrust = 9;
    EndGame();
    Forget();

    KeyUp(vk::Left);
    EXPECT_EQ(LeftThrust, 0);
    EXPECT_EQ(RightThrust, 8);
    KeyUp(vk::Right);
    EXPECT_EQ(RightThrust, 0);
    EXPECT_EQ(TurboThrust, 9);
    KeyUp(vk::Up);
    EXPECT_EQ(TurboThrust, 0);
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
}  // namespace enginetests
