// Base of an effect's editor: the host opens it inside a window of its own and calls it through the dispatcher.
#pragma once

#include "vst/VstProtocol.hpp"

class AudioEffect;

class AEffEditor
{
public:
    explicit AEffEditor(AudioEffect* effect = nullptr) : m_effect(effect), m_systemWindow(nullptr) {}
    virtual ~AEffEditor() = default;

    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual AudioEffect* getEffect() { return m_effect; }
    virtual bool getRect(ERect** rect)
    {
        *rect = nullptr;
        return false;
    }
    virtual bool open(void* window)
    {
        m_systemWindow = window;
        return false;
    }
    virtual void close() { m_systemWindow = nullptr; }
    virtual bool isOpen() { return m_systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onWheel(float /*distance*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

protected:
    AudioEffect* m_effect;
    void* m_systemWindow;
};
