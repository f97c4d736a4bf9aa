// web/renderFrame.js
// The WebGPU half of a frame: the same passes as the GL back end, in the same order, one call each. WebGPU orders
// one dispatch's stores before the next dispatch's reads itself, where GL needs explicit barriers.
import {bindGroup, bindingPoints, createPassLayouts} from './passLayouts.js';
import {buildAllPrograms, giGroupDepth, packParams} from './wgslPrograms.js';
import {checkVolumeResources, maxOccupancyBricks, occupancyBrickCount, occupancyBrickSize} from './volumeResources.js';
import {FILL_GROUP_SIZE, GI_GROUP_SIZE, OCCUPANCY_GROUP_SIZE, SPREAD_GROUP_SIZE} from './gpuBindings.js';

export async function createGpu(device, fillRows, format, bytes) {
    const layouts = createPassLayouts(device);
    const programs = await buildAllPrograms(device, layouts.pipelineLayouts, fillRows, format);
    const uniformBuffer = (label, size) =>
        device.createBuffer({label, size, usage: GPUBufferUsage.UNIFORM | GPUBufferUsage.COPY_DST});
    return {
        device, layouts, programs, format,
        volume: {volSize: 0},
        // The fill sees the walls as they were before the scene's update, the GI and the raymarch as after it.
        fillConstants: uniformBuffer('fillConstants', bytes.constants),
        constants: uniformBuffer('constants', bytes.constants),
        views: uniformBuffer('views', bytes.views),
        nearestSampler: device.createSampler({magFilter: 'nearest', minFilter: 'nearest'}),
        linearSampler: device.createSampler({magFilter: 'linear', minFilter: 'linear'}),
        paramBuffers: new Map(),
    };
}

// Each pass's parameters live in a buffer of their own, so that one submit can carry several passes' values.
function paramsBuffer(gpu, key, program, values) {
    const bytes = packParams(program.params, values);
    if (!gpu.paramBuffers.has(key))
        gpu.paramBuffers.set(key, gpu.device.createBuffer({label: key, size: bytes.byteLength,
                                                            usage: GPUBufferUsage.UNIFORM | GPUBufferUsage.COPY_DST}));
    const buffer = gpu.paramBuffers.get(key);
    gpu.device.queue.writeBuffer(buffer, 0, bytes);
    return buffer;
}

function dispatch(gpu, encoder, program, pass, resources, groups) {
    const computePass = encoder.beginComputePass({label: pass});
    computePass.setPipeline(program.pipeline);
    computePass.setBindGroup(0, bindGroup(gpu.device, gpu.layouts, pass, resources));
    computePass.dispatchWorkgroups(...groups);
    computePass.end();
}

function groupsOf(count, groupSize, dimensions = 3) {
    return Array(dimensions).fill(Math.ceil(count / groupSize));
}

function giGroupsOf(gpu, giSize) {
    const [x, y] = groupsOf(giSize, GI_GROUP_SIZE, 2);
    return [x, y, Math.ceil(giSize / giGroupDepth(gpu.device))];
}

function dispatchFill(gpu, encoder, fill) {
    const program = gpu.programs.fills[fill.program];
    if (!program)
        return;
    const {volumeTex, emissRoughTex} = gpu.volume;
    gpu.device.queue.writeBuffer(gpu.fillConstants, 0, fill.constants);
    const params = paramsBuffer(gpu, `fill${fill.program}`, program, {
        volW: fill.volSize, volH: fill.volSize, volD: fill.volSize, time: fill.timeSec, ...fill.uniforms});
    dispatch(gpu, encoder, program, 'fill', {0: volumeTex.createView(), 1: emissRoughTex.createView(), 2: params,
                                             [bindingPoints.constants]: gpu.fillConstants},
             groupsOf(fill.volSize, FILL_GROUP_SIZE));
}

function updateOccupancy(gpu, encoder) {
    const {updateOccupancy: mark, spreadOccupancy: spread} = gpu.programs;
    const {volumeTex, occupancyTex, volSize} = gpu.volume;
    if (!mark || !spread)
        return;
    const bricks = occupancyBrickCount(volSize);
    const markParams = paramsBuffer(gpu, 'updateOccupancy', mark, {volW: volSize, brickSize: occupancyBrickSize});
    dispatch(gpu, encoder, mark, 'updateOccupancy', {5: volumeTex.createView(), 0: occupancyTex.createView(),
                                                     2: markParams}, groupsOf(bricks, OCCUPANCY_GROUP_SIZE));
    for (let axis = 0; axis < 3; ++axis) {
        const params = paramsBuffer(gpu, `spreadOccupancy${axis}`, spread, {axis});
        dispatch(gpu, encoder, spread, 'spreadOccupancy', {0: occupancyTex.createView(), 2: params},
                 [...groupsOf(bricks, SPREAD_GROUP_SIZE, 2), 1]);
    }
}

function skippingApplies(gpu, volSize) {
    return volSize === gpu.volume.volSize && occupancyBrickCount(volSize) <= maxOccupancyBricks;
}

function runGiPass(gpu, encoder, gi) {
    const program = gpu.programs.updateGI;
    const {volumeTex, emissRoughTex, occupancyTex, giBuffer, giSize, volSize} = gpu.volume;
    if (!program)
        return;
    const params = paramsBuffer(gpu, 'updateGI', program, {
        w: giSize, h: giSize, d: giSize, frameId: gi.frameId, blend: gi.blend,
        // No rays would divide the sum by zero and leave NaN in the buffer for good.
        raysPerFrame: Math.max(gi.raysPerFrame, 1), falloff: gi.falloff, samplingMode: gi.samplingMode,
        giScale: 1, volW: volSize, multibounce: gi.multibounce ? 1 : 0,
        opaquePassthrough: gi.opaquePassthrough ? 1 : 0, brickSize: occupancyBrickSize,
        skipEmpty: skippingApplies(gpu, volSize) ? 1 : 0});
    dispatch(gpu, encoder, program, 'updateGI', {
        0: giBuffer, 5: volumeTex.createView(), 1: emissRoughTex.createView(), 6: occupancyTex.createView(),
        7: gpu.nearestSampler, 2: params, [bindingPoints.constants]: gpu.constants}, giGroupsOf(gpu, giSize));
}

function runGiCopy(gpu, encoder) {
    const program = gpu.programs.giCopy;
    const {giTex, giBuffer, giSize} = gpu.volume;
    if (!program)
        return;
    const params = paramsBuffer(gpu, 'giCopy', program, {w: giSize});
    dispatch(gpu, encoder, program, 'giCopy', {1: giBuffer, 0: giTex.createView(), 2: params},
             giGroupsOf(gpu, giSize));
}

function runGiFrame(gpu, encoder, gi) {
    // WebGPU cannot clear a texture outright: copying the cleared buffer clears it.
    if (gi.clear) {
        encoder.clearBuffer(gpu.volume.giBuffer);
        runGiCopy(gpu, encoder);
    }
    if (!gi.run)
        return;
    runGiPass(gpu, encoder, gi);
    runGiCopy(gpu, encoder);
}

function drawFrameVolume(gpu, encoder, draw, target, height) {
    const [r, g, b] = draw.clearColour;
    const pass = encoder.beginRenderPass({colorAttachments: [{
        view: target, clearValue: {r, g, b, a: 1}, loadOp: 'clear', storeOp: 'store'}]});
    const program = gpu.programs.raymarch;
    if (program) {
        const {volumeTex, giTex, occupancyTex} = gpu.volume;
        const volSize = new Int32Array(draw.views.buffer, draw.views.byteOffset, 2)[1];
        gpu.device.queue.writeBuffer(gpu.views, 0, draw.views);
        const params = paramsBuffer(gpu, 'raymarch', program, {
            bgColor: draw.bgColor, refractionIOR: draw.refractionIOR, brickSize: occupancyBrickSize,
            skipEmpty: skippingApplies(gpu, volSize) ? 1 : 0, haloEnabled: draw.haloEnabled ? 1 : 0,
            haloIntensity: draw.haloIntensity, targetHeight: height});
        pass.setPipeline(program.pipeline);
        pass.setBindGroup(0, bindGroup(gpu.device, gpu.layouts, 'raymarch', {
            [bindingPoints.views]: gpu.views, [bindingPoints.constants]: gpu.constants, 5: volumeTex.createView(),
            8: giTex.createView(), 6: occupancyTex.createView(), 9: gpu.linearSampler, 2: params}));
        pass.draw(3);
    }
    pass.end();
}

export function renderFrame(gpu, plan, target, height) {
    checkVolumeResources(gpu.device, gpu.volume, plan.volSize);
    const encoder = gpu.device.createCommandEncoder();
    if (plan.fill.run) {
        dispatchFill(gpu, encoder, plan.fill);
        // Only a new fill changes what the marches may skip.
        updateOccupancy(gpu, encoder);
    }
    gpu.device.queue.writeBuffer(gpu.constants, 0, plan.constants);
    runGiFrame(gpu, encoder, plan.gi);
    drawFrameVolume(gpu, encoder, plan.draw, target, height);
    gpu.device.queue.submit([encoder.finish()]);
}
