// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wind_rose_geometry.h"

#include <gtest/gtest.h>

namespace tavik {
namespace {

TEST(WindRoseGeometry, MarkerCentredOnTheRingOfTheDesignWindow) {
  const MarkerRect size = windRoseMarkerSize(268, 287);
  EXPECT_EQ(size.width, 17);
  EXPECT_EQ(size.height, 19);
  EXPECT_EQ(windRosePoint(90, 260, 260), (RosePoint{220, 130}));
  EXPECT_EQ(windRoseMarker(90, 260, 260, 17, 19), (MarkerRect{212, 121, 17, 19}));
}

TEST(WindRoseGeometry, NorthIsUpAndDirectionsRunClockwise) {
  EXPECT_EQ(windRosePoint(0, 260, 260), (RosePoint{130, 40}));
  EXPECT_EQ(windRosePoint(180, 260, 260), (RosePoint{130, 220}));
  EXPECT_EQ(windRosePoint(270, 260, 260), (RosePoint{40, 130}));
  EXPECT_EQ(windRosePoint(360, 260, 260), windRosePoint(0, 260, 260));
  // North-east: right of and above the centre, on a ring of radius 90.
  const RosePoint ne = windRosePoint(45, 260, 260);
  EXPECT_EQ(ne, (RosePoint{194, 66}));
}

TEST(WindRoseGeometry, RingScalesWithTheClient) {
  // A 130-wide client: radius 65 - 20 = 45.
  EXPECT_EQ(windRosePoint(90, 130, 130), (RosePoint{110, 65}));
  EXPECT_EQ(windRosePoint(0, 130, 130), (RosePoint{65, 20}));
}

TEST(WindSpeedColour, BandEndsArePureColours) {
  EXPECT_EQ(WindSpeedColour(140), (RgbColour{0, 255, 255}));
  EXPECT_EQ(WindSpeedColour(280), (RgbColour{0, 255, 0}));
  EXPECT_EQ(WindSpeedColour(420), (RgbColour{255, 255, 0}));
  EXPECT_EQ(WindSpeedColour(560), (RgbColour{255, 0, 0}));
}

TEST(WindSpeedColour, MidBandsRoundHalvesToEven) {
  EXPECT_EQ(WindSpeedColour(70), (RgbColour{0, 128, 255}));   // 127.5
  EXPECT_EQ(WindSpeedColour(210), (RgbColour{0, 255, 128}));  // 127.5
  EXPECT_EQ(WindSpeedColour(350), (RgbColour{128, 255, 0}));  // 127.5
  EXPECT_EQ(WindSpeedColour(490), (RgbColour{255, 128, 0}));  // 127.5
  EXPECT_EQ(WindSpeedColour(1), (RgbColour{0, 2, 255}));      // 1.82
  EXPECT_EQ(WindSpeedColour(141), (RgbColour{0, 255, 253}));  // 253.18
}

TEST(WindSpeedColour, CalmIsBlueAndStormStaysRed) {
  EXPECT_EQ(WindSpeedColour(0), (RgbColour{0, 0, 255}));
  EXPECT_EQ(WindSpeedColour(561), (RgbColour{255, 0, 0}));
  EXPECT_EQ(WindSpeedColour(65535), (RgbColour{255, 0, 0}));
}

}  // namespace
}  // namespace tavik
