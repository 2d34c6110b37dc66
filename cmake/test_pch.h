// Precompiled header of the test binaries.
#pragma once
#include <gtest/gtest.h>
#include <gmock/gmock.h>
#include <cstdint>
#include <string>
#include <vector>
