#pragma once

class ScreenInfo
{
public:
    virtual ~ScreenInfo() = default;
    virtual int width() const = 0;
};

class PrimaryScreenInfo : public ScreenInfo
{
public:
    int width() const override;
};
