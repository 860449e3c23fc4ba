#include "remote/DeferredInputBackend.h"

#include "support/FakeInputBackend.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

// A watch of its own, so that forwarding it can be seen.
class WatchingBackend : public test::FakeInputBackend {
public:
    std::unique_ptr<InputWatch> watchInput() override { return std::make_unique<Watch>(); }

private:
    struct Watch : InputWatch {
        std::int64_t nowMs() override { return 42; }
        std::optional<InputEvent> next(std::int64_t) override { return std::nullopt; }
    };
};

TEST(DeferredInputBackend, OpensOnceAtTheFirstCallAndWithoutABackendRefusesEverything)
{
    int opened = 0;
    WatchingBackend* real = nullptr;
    DeferredInputBackend deferred([&]() -> std::unique_ptr<InputBackend> {
        ++opened;
        auto fake = std::make_unique<WatchingBackend>();
        real = fake.get();
        real->screen = {800, 600};
        real->windows = {{7, {1, 2, 3, 4}}};
        real->pointer = PointerPosition{5, 6};
        real->holds = {{VirtualKey::F5, 0, 100}};
        return fake;
    });
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(deferred.available() && deferred.mouseEvent(MouseFlags::Move, 1, 2, 3) && deferred.sendKey(VirtualKey::Escape) &&
                deferred.isKeyDown(VirtualKey::F5));
    EXPECT_EQ(std::tuple(deferred.screenSize().width, deferred.windowRect(7)->bottom, deferred.pointerPosition()->y,
                         deferred.watchInput()->nowMs()),
              std::tuple(800, 4, 6, 42));
    EXPECT_EQ(std::tuple(opened, real->mouseEvents.size(), real->keys.size()), std::tuple(1, 1U, 1U));

    DeferredInputBackend none([&] { ++opened; return std::unique_ptr<InputBackend>(); });
    EXPECT_FALSE(none.available() || none.mouseEvent(MouseFlags::Move, 1, 2, 3) || none.sendKey(VirtualKey::Escape) ||
                 none.isKeyDown(VirtualKey::F5) || none.windowRect(7) || none.pointerPosition() || none.watchInput());
    EXPECT_EQ(std::pair(none.screenSize().width, opened), std::pair(0, 2));
}

} // namespace
} // namespace vp
