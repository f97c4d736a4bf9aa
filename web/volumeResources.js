// web/volumeResources.js
// Owns the volume, its brick occupancy, the emissivity-roughness texture, the GI buffer and texture; re-creates
// them when the volume's size changes. The GI works at the volume's own size, as the GL path does by default.

export const occupancyBrickSize = 4;
export const maxOccupancyBricks = 64;

export function occupancyBrickCount(volSize) {
    return Math.ceil(volSize / occupancyBrickSize);
}

function volumeTexture(device, label, format, size, usage) {
    return device.createTexture({label, dimension: '3d', format, size: [size, size, size], usage});
}

function destroyVolume(volume) {
    for (const name of ['volumeTex', 'emissRoughTex', 'occupancyTex', 'giTex', 'giBuffer'])
        volume[name]?.destroy();
}

// New textures start zeroed: every brick reads occupied until the occupancy pass has seen a fill.
export function checkVolumeResources(device, volume, volSize) {
    if (volSize < 1 || volSize === volume.volSize)
        return false;
    destroyVolume(volume);
    const stored = GPUTextureUsage.STORAGE_BINDING | GPUTextureUsage.TEXTURE_BINDING;
    Object.assign(volume, {
        volSize,
        giSize: volSize,
        volumeTex: volumeTexture(device, 'volume', 'rgba16float', volSize, stored),
        emissRoughTex: volumeTexture(device, 'emissRough', 'rgba16float', volSize, stored),
        occupancyTex: volumeTexture(device, 'occupancy', 'r32uint', occupancyBrickCount(volSize), stored),
        giTex: volumeTexture(device, 'gi', 'rgba16float', volSize, stored),
        giBuffer: device.createBuffer({label: 'gi', size: volSize ** 3 * 16,
                                       usage: GPUBufferUsage.STORAGE | GPUBufferUsage.COPY_DST}),
    });
    return true;
}
