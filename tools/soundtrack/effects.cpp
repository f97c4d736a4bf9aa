// tools/soundtrack/effects.cpp
#include "effects.h"

namespace {
struct Comb {
    std::vector<float> line;
    size_t index = 0;
    float store = 0.0f;
    explicit Comb(size_t length) : line(length, 0.0f) {}
    float next(float input, float feedback, float damping)
    {
        float output = line[index];
        store = output * (1.0f - damping) + store * damping;
        line[index] = input + store * feedback;
        index = (index + 1) % line.size();
        return output;
    }
};

struct AllPass {
    std::vector<float> line;
    size_t index = 0;
    explicit AllPass(size_t length) : line(length, 0.0f) {}
    float next(float input)
    {
        float delayed = line[index];
        line[index] = input + delayed * 0.5f;
        index = (index + 1) % line.size();
        return delayed - input;
    }
};

void roomSide(const std::vector<float>& send, float wet, size_t spread, std::vector<float>& out)
{
    const size_t combLengths[4] = {1116, 1188, 1277, 1356};
    const size_t allPassLengths[2] = {556, 441};
    std::vector<Comb> combs;
    for (size_t length : combLengths)
        combs.emplace_back(length + spread);
    std::vector<AllPass> allPasses;
    for (size_t length : allPassLengths)
        allPasses.emplace_back(length + spread);
    for (size_t i = 0; i < send.size() && i < out.size(); ++i) {
        float input = send[i] * 0.25f;
        float sum = 0.0f;
        for (Comb& comb : combs)
            sum += comb.next(input, 0.84f, 0.3f);
        for (AllPass& allPass : allPasses)
            sum = allPass.next(sum);
        out[i] += sum * wet;
    }
}
}

void addPingPongDelay(const std::vector<float>& input, long delaySamples, float feedback, Stereo& out,
                      std::vector<float>& send)
{
    std::vector<float> left(delaySamples, 0.0f);
    std::vector<float> right(delaySamples, 0.0f);
    LowPass darken;
    darken.set(4500.0f, 0.7f);
    size_t at = 0;
    for (size_t i = 0; i < input.size(); ++i) {
        float dry = input[i];
        float echoLeft = left[at];
        float echoRight = right[at];
        // The input enters on the left; each repeat crosses to the other side and loses its top.
        left[at] = darken.next(dry + echoRight * feedback);
        right[at] = echoLeft;
        at = (at + 1) % (size_t)delaySamples;
        out.left[i] += dry + 0.55f * echoLeft;
        out.right[i] += dry + 0.55f * echoRight;
        send[i] += 0.3f * dry + 0.2f * (echoLeft + echoRight);
    }
}

void addRoom(const std::vector<float>& send, float wet, Stereo& out)
{
    roomSide(send, wet, 0, out.left);
    roomSide(send, wet, 23, out.right);
}
