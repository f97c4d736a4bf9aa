// show/showStep.cpp
// A show's making and its frame step: the CPU half of every frame, which ends in a plan for the GPU half.
#include "gpu/rayBudget.h"
#include "scenes/sceneRegistry.h"
#include "sequencer/sceneBase.h"
#include "show/show.h"

namespace {
int frameVolSize(const Show& show)
{
    return show.config.volumeOverride > 0 ? show.config.volumeOverride : show.state.renderSettings.volSize;
}

// A volume of another size starts empty: the light gathered in the old one starts over.
void startLightOverOnNewVolume(Show& show)
{
    int volSize = frameVolSize(show);
    if (volSize == show.volSize)
        return;
    show.volSize = volSize;
    show.state.gi.giResetRequested = true;
    show.state.gi.giFrameId = 0;
}

// Only the running average refills the volume; the other modes hold it, and its occupancy, still.
FillPlan planFill(ShowState& state, int volSize)
{
    FillPlan fill;
    const cSceneBase* scene = state.sequence.currentScene;
    fill.run = state.gi.giAccumMode == giRunningAverage && scene;
    if (!fill.run)
        return fill;
    fill.program = scene->fillRow;
    fill.volSize = volSize;
    fill.request = scene->fill();
    fill.constants = buildConstantsBlock(state.renderSettings, state.walls);
    return fill;
}

GiPlan planGi(Show& show)
{
    const RenderSettings& settings = show.state.renderSettings;
    int rays = show.config.fixedRaysPerFrame > 0 ? show.config.fixedRaysPerFrame : settings.raysPerFrame;
    return planGiPass(planGiFrame(show.state.gi, settings.giBlend), settings, rays);
}

DrawPlan planDraw(const ShowState& state, int volSize, int width, int height)
{
    const RenderSettings& settings = state.renderSettings;
    const float kick = state.beat.cameraKick;
    ViewSetup setup;
    setup.mainBasis =
        buildCameraBasis(state.cameraYaw, state.cameraPitch, mainCameraDistance(state.cameraDistance, kick));
    satelliteAngles(state.demoClock, state.cameraYaw, state.cameraPitch, state.viewAnchor, setup.yaws,
                    setup.pitches);
    setup.viewDistance = viewCameraDistance(state.cameraDistance, kick);
    setup.volSize = volSize;
    setup.width = width;
    setup.height = height;
    setup.gamma = settings.gamma;
    setup.refraction = settings.refraction;
    setup.hihatPulse = state.beat.hihatPulse;

    return planDrawPass(buildViews(setup, state.viewLayout), settings);
}

// With the rays fixed by the driver the controller holds still, so nothing a script reads from it depends on how
// fast this machine happens to be.
void steerRayBudget(Show& show, const GpuTimes& previousGpuTimes)
{
    if (show.config.fixedRaysPerFrame == 0)
        stepRayBudgetController(show.state.gi, show.state.renderSettings, previousGpuTimes);
}
}

std::unique_ptr<Show> makeShow(const ShowConfig& config)
{
    auto show = std::make_unique<Show>();
    show->config = config;
    SceneSequence& sequence = show->state.sequence;
    sequence.sceneTable.assign(sceneSlotCount(), nullptr);
    const std::vector<SceneRow>& rows = sceneRegistry();
    for (size_t i = 0; i < rows.size(); ++i) {
        show->scenes.push_back(rows[i].make(show->state));
        show->scenes.back()->fillRow = (int)i;
        sequence.sceneTable[rows[i].tableIndex] = show->scenes.back().get();
    }
    if (config.startScene >= 0)
        sequence.currentSceneIndex = config.startScene;
    return show;
}

FramePlan stepShow(Show& show, const FrameInput& input)
{
    ShowState& state = show.state;
    FramePlan plan;
    state.demoClock = input.showTimeSec;
    trackBeat(state.beat, (float)input.musicTimeSec);
    startLightOverOnNewVolume(show);
    if (applySceneSwitch(state))
        state.gi.giFrameId = 0;
    plan.volSize = frameVolSize(show);
    plan.fill = planFill(state, plan.volSize);
    plan.showOver = stepSequencer(state);
    plan.gi = planGi(show);
    plan.constants = buildConstantsBlock(state.renderSettings, state.walls);
    plan.draw = planDraw(state, plan.volSize, input.targetWidth, input.targetHeight);
    steerRayBudget(show, input.previousGpuTimes);
    plan.captions = planCaptions(state.labels.labelLog, state.demoClock, show.config.fontSize, input.targetWidth,
                                 input.targetHeight);
    decayPulses(state.beat);
    return plan;
}

long countShowFrames(const ShowConfig& config, int fps, long limitFrames)
{
    std::unique_ptr<Show> show = makeShow(config);
    for (long frame = 0; frame < limitFrames; ++frame)
        if (stepShow(*show, fixedStepInput(frame, fps)).showOver)
            return frame + 1;
    return -1;
}
