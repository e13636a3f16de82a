// A page that asks, on a click, for everything a page may ask permission for: the pointer, full screen,
// notifications, the location and the microphone. What each came to goes to the service as
// catalog.php?<what>=<answer>. Shared by the browser's and the program's end-to-end tests.
function r(k, v) { new Image().src = 'catalog.php?' + k + '=' + v + '&'; }
document.addEventListener('pointerlockchange',
    function() { r('lock', document.pointerLockElement ? 'yes' : 'no'); });
document.addEventListener('pointerlockerror', function() { r('lock', 'refused'); });
document.onclick = function() {
    try { var p = document.body.requestPointerLock(); if (p && p.catch) p.catch(function() {}); }
    catch (e) { r('lock', 'refused'); }
    var e = document.documentElement;
    if (!e.requestFullscreen) r('fullscreen', 'refused');
    else e.requestFullscreen().then(function() { r('fullscreen', 'yes'); },
                                    function() { r('fullscreen', 'refused'); });
    if (!window.Notification) r('notify', 'denied');
    else Notification.requestPermission().then(function(p) { r('notify', p); });
    navigator.geolocation.getCurrentPosition(function() { r('geo', 'yes'); },
                                             function() { r('geo', 'refused'); });
    if (!navigator.mediaDevices) r('media', 'refused');
    else navigator.mediaDevices.getUserMedia({audio: true})
        .then(function() { r('media', 'yes'); }, function() { r('media', 'refused'); });
};
