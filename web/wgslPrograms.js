// web/wgslPrograms.js
// Builds every WGSL program once: each is the bindings header followed by its pieces, nothing between them, as the
// GLSL programs are composed. A program that fails is logged and left null, and its pass skips.

import {GI_GROUP_SIZE} from './gpuBindings.js';

const pieceCache = new Map();

function fetchPiece(name) {
    if (!pieceCache.has(name))
        pieceCache.set(name, fetch(`wgsl/${name}.wgsl`).then(reply => (reply.ok ? reply.text() : null)));
    return pieceCache.get(name);
}

export async function composeProgramText(pieces) {
    const texts = await Promise.all(['gpuBindings', ...pieces].map(fetchPiece));
    return texts.includes(null) ? null : texts.join('');
}

const scalarTypes = {f32: 'f', i32: 'i', u32: 'u', vec3f: 'v3', vec4f: 'v4'};
const typeSizes = {f: [4, 4], i: [4, 4], u: [4, 4], v3: [12, 16], v4: [16, 16]};

// The byte offsets of a uniform struct of scalars and vectors, by field name: how a pass sets its parameters by
// name, as GL sets uniforms.
export function structLayout(text, structName) {
    const body = new RegExp(`struct ${structName} \\{([^}]*)\\}`).exec(text);
    if (!body)
        return null;
    const fields = {};
    let offset = 0;
    for (const [, name, type] of body[1].matchAll(/(\w+)\s*:\s*(\w+)/g)) {
        const kind = scalarTypes[type];
        const [size, align] = typeSizes[kind];
        offset = Math.ceil(offset / align) * align;
        fields[name] = {offset, kind};
        offset += size;
    }
    return {fields, bytes: Math.ceil(offset / 16) * 16};
}

// Packs values by name into the struct's bytes; a name the program does not declare is a typo.
export function packParams(layout, values) {
    const bytes = new ArrayBuffer(layout.bytes);
    const view = new DataView(bytes);
    for (const [name, value] of Object.entries(values)) {
        const field = layout.fields[name];
        console.assert(field, `a pass sets ${name}, which its program does not declare`);
        if (!field)
            continue;
        if (field.kind === 'f')
            view.setFloat32(field.offset, value, true);
        else if (field.kind === 'i')
            view.setInt32(field.offset, value, true);
        else if (field.kind === 'u')
            view.setUint32(field.offset, value, true);
        else
            value.forEach((component, i) => view.setFloat32(field.offset + 4 * i, component, true));
    }
    return bytes;
}

async function compiledModule(device, name, text) {
    const module = device.createShaderModule({label: name, code: text});
    const info = await module.getCompilationInfo();
    const errors = info.messages.filter(message => message.type === 'error');
    for (const message of errors)
        console.error(`SHADER ERROR [${name}] ${message.lineNum}:${message.linePos}: ${message.message}`);
    return errors.length ? null : module;
}

async function buildCompute(device, name, pieces, layout, paramsStruct, constants = {}) {
    const text = await composeProgramText(pieces);
    if (!text) {
        console.warn(`${name}: no WGSL twin of a piece; its pass skips`);
        return null;
    }
    const module = await compiledModule(device, name, text);
    if (!module)
        return null;
    const pipeline = device.createComputePipeline({label: name, layout, compute: {module, entryPoint: 'main', constants}});
    return {pipeline, params: structLayout(text, paramsStruct)};
}

async function buildRaymarch(device, layout, format) {
    const text = await composeProgramText(['constants', 'raymarchFragment', 'raymarchVertex']);
    const module = await compiledModule(device, 'raymarch', text);
    if (!module)
        return null;
    // The shader outputs premultiplied colour; alpha 0 outside every view keeps the clear colour.
    const blend = {color: {srcFactor: 'one', dstFactor: 'one-minus-src-alpha'},
                   alpha: {srcFactor: 'one', dstFactor: 'one-minus-src-alpha'}};
    const pipeline = device.createRenderPipeline({
        label: 'raymarch', layout,
        vertex: {module, entryPoint: 'vertexMain'},
        fragment: {module, entryPoint: 'fragmentMain', targets: [{format, blend}]},
        primitive: {topology: 'triangle-list'},
    });
    return {pipeline, params: structLayout(text, 'RaymarchParams')};
}

// The depth of a GI group: GI_GROUP_SIZE, or less where the device allows fewer invocations a group.
export function giGroupDepth(device) {
    const layer = GI_GROUP_SIZE * GI_GROUP_SIZE;
    return Math.min(GI_GROUP_SIZE, Math.floor(device.limits.maxComputeInvocationsPerWorkgroup / layer));
}

export async function buildAllPrograms(device, layouts, fillRows, format) {
    const giConstants = {giGroupDepth: giGroupDepth(device)};
    const [fills, updateGI, giCopy, updateOccupancy, spreadOccupancy, raymarch] = await Promise.all([
        Promise.all(fillRows.map(row => buildCompute(device, row.name, row.pieces, layouts.fill, 'FillParams'))),
        buildCompute(device, 'updateGI', ['constants', 'updateGI'], layouts.updateGI, 'UpdateGiParams', giConstants),
        buildCompute(device, 'giCopy', ['giCopy'], layouts.giCopy, 'GiCopyParams', giConstants),
        buildCompute(device, 'updateOccupancy', ['updateOccupancy'], layouts.updateOccupancy, 'UpdateOccupancyParams'),
        buildCompute(device, 'spreadOccupancy', ['spreadOccupancy'], layouts.spreadOccupancy, 'SpreadOccupancyParams'),
        buildRaymarch(device, layouts.raymarch, format),
    ]);
    return {fills, updateGI, giCopy, updateOccupancy, spreadOccupancy, raymarch};
}
