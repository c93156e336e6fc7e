#pragma once

#include "core/extended.h"

#include <array>

namespace naklon {

// Powers of ten, each the extended value nearest to the exact power, as
// bits: 10^0..10^31, 10^(32*i) for i < 16, 10^(512*i) for i < 10. readNumber
// scales by one of each.
inline constexpr std::array<ExtendedBits, 32> kTenToThe = {{
    {0x3fff, 0x8000000000000000}, // 1e0
    {0x4002, 0xa000000000000000}, // 1e1
    {0x4005, 0xc800000000000000}, // 1e2
    {0x4008, 0xfa00000000000000}, // 1e3
    {0x400c, 0x9c40000000000000}, // 1e4
    {0x400f, 0xc350000000000000}, // 1e5
    {0x4012, 0xf424000000000000}, // 1e6
    {0x4016, 0x9896800000000000}, // 1e7
    {0x4019, 0xbebc200000000000}, // 1e8
    {0x401c, 0xee6b280000000000}, // 1e9
    {0x4020, 0x9502f90000000000}, // 1e10
    {0x4023, 0xba43b74000000000}, // 1e11
    {0x4026, 0xe8d4a51000000000}, // 1e12
    {0x402a, 0x9184e72a00000000}, // 1e13
    {0x402d, 0xb5e620f480000000}, // 1e14
    {0x4030, 0xe35fa931a0000000}, // 1e15
    {0x4034, 0x8e1bc9bf04000000}, // 1e16
    {0x4037, 0xb1a2bc2ec5000000}, // 1e17
    {0x403a, 0xde0b6b3a76400000}, // 1e18
    {0x403e, 0x8ac7230489e80000}, // 1e19
    {0x4041, 0xad78ebc5ac620000}, // 1e20
    {0x4044, 0xd8d726b7177a8000}, // 1e21
    {0x4048, 0x878678326eac9000}, // 1e22
    {0x404b, 0xa968163f0a57b400}, // 1e23
    {0x404e, 0xd3c21bcecceda100}, // 1e24
    {0x4052, 0x84595161401484a0}, // 1e25
    {0x4055, 0xa56fa5b99019a5c8}, // 1e26
    {0x4058, 0xcecb8f27f4200f3a}, // 1e27
    {0x405c, 0x813f3978f8940984}, // 1e28
    {0x405f, 0xa18f07d736b90be5}, // 1e29
    {0x4062, 0xc9f2c9cd04674edf}, // 1e30
    {0x4065, 0xfc6f7c4045812296}, // 1e31
}};
inline constexpr std::array<ExtendedBits, 16> kTenToThe32Times = {{
    {0x3fff, 0x8000000000000000}, // 1e0
    {0x4069, 0x9dc5ada82b70b59e}, // 1e32
    {0x40d3, 0xc2781f49ffcfa6d5}, // 1e64
    {0x413d, 0xefb3ab16c59b14a3}, // 1e96
    {0x41a8, 0x93ba47c980e98ce0}, // 1e128
    {0x4212, 0xb616a12b7fe617aa}, // 1e160
    {0x427c, 0xe070f78d3927556b}, // 1e192
    {0x42e7, 0x8a5296ffe33cc930}, // 1e224
    {0x4351, 0xaa7eebfb9df9de8e}, // 1e256
    {0x43bb, 0xd226fc195c6a2f8c}, // 1e288
    {0x4426, 0x81842f29f2cce376}, // 1e320
    {0x4490, 0x9fa42700db900ad2}, // 1e352
    {0x44fa, 0xc4c5e310aef8aa17}, // 1e384
    {0x4564, 0xf28a9c07e9b09c59}, // 1e416
    {0x45cf, 0x957a4ae1ebf7f3d4}, // 1e448
    {0x4639, 0xb83ed8dc0795a262}, // 1e480
}};
inline constexpr std::array<ExtendedBits, 10> kTenToThe512Times = {{
    {0x3fff, 0x8000000000000000}, // 1e0
    {0x46a3, 0xe319a0aea60e91c7}, // 1e512
    {0x4d48, 0xc976758681750c17}, // 1e1024
    {0x53ed, 0xb2b8353b3993a7e4}, // 1e1536
    {0x5a92, 0x9e8b3b5dc53d5de5}, // 1e2048
    {0x6137, 0x8ca554c020a1f0a6}, // 1e2560
    {0x67db, 0xf9895d25d88b5a8b}, // 1e3072
    {0x6e80, 0xdd5dc8a2bf27f3f8}, // 1e3584
    {0x7525, 0xc46052028a20979b}, // 1e4096
    {0x7bca, 0xae3511626ed559f0}, // 1e4608
}};

} // namespace naklon
