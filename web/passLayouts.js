// web/passLayouts.js
// Each pass's bindings, declared once for its pipeline and its bind groups; the numbers match the WGSL twins.
// GL's separate image, texture and buffer units share one WebGPU binding space, so they are spread apart here.
import {CONSTANTS_BINDING, VIEWS_BINDING} from './gpuBindings.js';

const compute = GPUShaderStage.COMPUTE;
const fragment = GPUShaderStage.FRAGMENT;
const volume = (sampleType, visibility) => ({visibility, texture: {sampleType, viewDimension: '3d'}});
const store = (format, access = 'write-only') => ({visibility: compute,
                                                  storageTexture: {access, format, viewDimension: '3d'}});
const uniform = visibility => ({visibility, buffer: {type: 'uniform'}});

export const bindingPoints = {constants: CONSTANTS_BINDING, views: VIEWS_BINDING};

export const passBindings = {
    fill: {0: store('rgba16float'), 1: store('rgba16float'), 2: uniform(compute), [CONSTANTS_BINDING]: uniform(compute)},
    updateOccupancy: {5: volume('unfilterable-float', compute), 0: store('r32uint'), 2: uniform(compute)},
    spreadOccupancy: {0: store('r32uint', 'read-write'), 2: uniform(compute)},
    updateGI: {0: {visibility: compute, buffer: {type: 'storage'}}, 5: volume('float', compute),
               1: volume('float', compute), 6: volume('uint', compute),
               7: {visibility: compute, sampler: {type: 'non-filtering'}}, 2: uniform(compute), [CONSTANTS_BINDING]: uniform(compute)},
    giCopy: {1: {visibility: compute, buffer: {type: 'read-only-storage'}}, 0: store('rgba16float'),
             2: uniform(compute)},
    raymarch: {[VIEWS_BINDING]: uniform(fragment), [CONSTANTS_BINDING]: uniform(fragment), 5: volume('float', fragment), 8: volume('float', fragment),
               6: volume('uint', fragment), 9: {visibility: fragment, sampler: {type: 'filtering'}},
               2: uniform(fragment)},
};

export function createPassLayouts(device) {
    const bindGroupLayouts = {};
    const pipelineLayouts = {};
    for (const [pass, bindings] of Object.entries(passBindings)) {
        const entries = Object.entries(bindings).map(([binding, entry]) => ({binding: Number(binding), ...entry}));
        bindGroupLayouts[pass] = device.createBindGroupLayout({label: pass, entries});
        pipelineLayouts[pass] = device.createPipelineLayout({bindGroupLayouts: [bindGroupLayouts[pass]]});
    }
    return {bindGroupLayouts, pipelineLayouts};
}

// A bind group from resources by binding number: texture views, samplers, or buffers.
export function bindGroup(device, layouts, pass, resources) {
    const entries = Object.entries(resources).map(([binding, resource]) => ({
        binding: Number(binding),
        resource: resource instanceof GPUBuffer ? {buffer: resource} : resource,
    }));
    return device.createBindGroup({label: pass, layout: layouts.bindGroupLayouts[pass], entries});
}
